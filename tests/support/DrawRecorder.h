// Records what reaches CGContextClipToRect and CGContextDrawImage of one Core
// Graphics context, as passed, for its life.
#pragma once

#include <CoreGraphics/CGStandInDiagnostics.h>

#include <vector>

namespace Tolvik::Testing {

class DrawRecorder : public CGStandIn::ContextObserver
{
public:
	struct Draw
	{
		CGRect rect;
		CGImageRef image;
		CGStandIn::DrawState state;
	};

	explicit DrawRecorder (CGContextRef context);
	~DrawRecorder () override;
	DrawRecorder (const DrawRecorder&) = delete;
	DrawRecorder& operator= (const DrawRecorder&) = delete;

	void didClipToRect (CGRect rect, const CGStandIn::DrawState&) override { clips.push_back (rect); }
	void willDrawImage (CGRect rect, CGImageRef image, const CGStandIn::DrawState& state) override
	{
		draws.push_back ({rect, image, state});
	}

	std::vector<CGRect> clips;
	std::vector<Draw> draws;

private:
	CGContextRef context;
};

} // namespace Tolvik::Testing
