#include "AssertionRecorder.h"

#include "lib/vstguidebug.h"

#include <atomic>
#include <mutex>

namespace Tolvik::Testing {

using namespace VSTGUI;

namespace {

std::mutex reportsMutex;
Names recordedReports;
std::atomic<bool> throwOnReport {false};

void recordReport (const char*, const char*, const char* description)
{
	{
		std::lock_guard<std::mutex> lock (reportsMutex);
		recordedReports.push_back (description ? description : "");
	}
	if (throwOnReport)
		throw AssertionRecorder::Failure {description ? description : ""};
}

} // namespace

AssertionRecorder::AssertionRecorder (bool throwing)
{
	{
		std::lock_guard<std::mutex> lock (reportsMutex);
		recordedReports.clear ();
	}
	throwOnReport = throwing;
	setAssertionHandler (recordReport);
}

AssertionRecorder::~AssertionRecorder ()
{
	setAssertionHandler (nullptr);
	throwOnReport = false;
}

Names AssertionRecorder::reports () const
{
	std::lock_guard<std::mutex> lock (reportsMutex);
	return recordedReports;
}

} // Tolvik::Testing
