// Fuzzes the bitmap geometry of frame grids and bitmap drawing on the Core
// Graphics context: whatever sizes, factors, grids, offsets and transform the
// input makes, the bitmap reports the size the frame-grid rules give, and a
// draw through drawBitmap or drawCGImageRef writes no pixel outside the
// bound the drawing rules set, shows only pixels of the image (never a blend),
// and only from the part of the image it is to show: never a pixel of a
// neighbouring frame. Built with AddressSanitizer and
// UndefinedBehaviorSanitizer, so that no input leads to undefined behaviour.
#include "DrawRules.h"
#include "DrawScene.h"

#include "lib/vstguidebug.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

using namespace Tolvik::Fuzzing;
using namespace VSTGUI;

const Scene* currentScene = nullptr;

[[noreturn]] void fail (const std::string& what)
{
	std::cerr << "\n" << what << "\n";
	if (currentScene)
		std::cerr << *currentScene;
	std::abort ();
}

// Nothing is reported while drawing.
void failOnReport (const char* file, const char* line, const char* description)
{
	fail (std::string ("assertion at ") + file + ":" + line + ": " + (description ? description : ""));
}

bool sameValue (double a, double b)
{
	return a == b || (std::isnan (a) && std::isnan (b));
}

void checkReportedSize (const Scene& s)
{
	const CPoint& pixels = s.first->getSize ();
	const double width = reportedExtent (*s.first, pixels.x, s.first->getFrameGridColumns ());
	const double height = reportedExtent (*s.first, pixels.y, s.first->getFrameGridRows ());
	if (!sameValue (s.bitmap->getWidth (), width) || !sameValue (s.bitmap->getHeight (), height))
	{
		std::ostringstream message;
		message << "reports " << s.bitmap->getWidth () << " x " << s.bitmap->getHeight () << ", the rules give "
		        << width << " x " << height;
		fail (message.str ());
	}
}

// The image column and row that a pixel of the drawn sheet holds.
CPoint imagePosition (const Tolvik::Testing::FrameSheet& sheet, const Tolvik::Testing::FramePixel& pixel)
{
	return CPoint ((pixel.frame % sheet.columns ()) * sheet.frameWidth () + pixel.column,
	               (pixel.frame / sheet.columns ()) * sheet.frameHeight () + pixel.row);
}

bool shows (const Span& part, double position)
{
	return position >= part.low && position < part.high;
}

// What is wrong with the drawn pixel (column, row) holding `word`, if anything.
std::string faultOf (const Allowance& allowance, uint32_t column, uint32_t row, uint32_t word)
{
	if (!allowance.drawsAnything)
		return "drawn, where the rules draw nothing";
	if (!allowance.contextClip.holdsPixel (column, row))
		return "drawn outside the draw context's clip";
	if (!allowance.destination.holdsPixel (column, row))
		return "drawn outside the destination rectangle";
	if (!allowance.clip.holdsPixel (column, row))
		return "drawn outside the aligned clip";
	if (!allowance.opaque)
		return {};
	const auto pixel = allowance.drawnSheet->decode (word);
	if (!pixel)
		return "holds no pixel of the image";
	const CPoint at = imagePosition (*allowance.drawnSheet, *pixel);
	const bool inPart = shows (allowance.imageColumns, at.x) && shows (allowance.imageRows, at.y);
	if (inPart || !allowance.sampledExactly)
		return {};
	std::ostringstream message;
	message << "shows image pixel (" << at.x << ", " << at.y << "), " << *pixel << ", outside the part shown: columns "
	        << allowance.imageColumns.low << " to " << allowance.imageColumns.high << ", rows "
	        << allowance.imageRows.low << " to " << allowance.imageRows.high;
	return message.str ();
}

void checkPixels (const Scene& s, const Tolvik::Testing::Canvas& canvas)
{
	const Allowance allowance = allowanceOf (s);
	// Read once: each read through the context flushes it.
	auto bytes = static_cast<const uint8_t*> (CGBitmapContextGetData (canvas.cgContext ()));
	const size_t bytesPerRow = CGBitmapContextGetBytesPerRow (canvas.cgContext ());
	for (uint32_t row = 0; row < canvas.deviceHeight (); ++row)
	{
		auto words = reinterpret_cast<const uint32_t*> (bytes + row * bytesPerRow);
		for (uint32_t column = 0; column < canvas.deviceWidth (); ++column)
		{
			const uint32_t word = words[column];
			if (word == 0)
				continue;
			const std::string fault = faultOf (allowance, column, row, word);
			if (!fault.empty ())
				fail ("device pixel (" + std::to_string (column) + ", " + std::to_string (row) + ") " + fault);
		}
	}
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
	FuzzInput input (data, size);
	Scene scene (input);
	currentScene = &scene;
	checkReportedSize (scene);
	{
		Tolvik::Testing::Canvas canvas (scene.unitsWide, scene.unitsHigh, scene.contextScale);
		setAssertionHandler (failOnReport);
		scene.draw (canvas);
		setAssertionHandler (nullptr);
		checkPixels (scene, canvas);
	}
	currentScene = nullptr;
	return 0;
}
