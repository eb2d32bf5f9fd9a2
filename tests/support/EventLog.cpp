#include "EventLog.h"

#include "lib/cframe.h"

namespace Tolvik::Testing {

void EventLog::add (const std::string& entry)
{
	const bool locked = watched && watched->IsGUIDrawingLocked ();
	std::lock_guard<std::mutex> lock (mutex);
	log.push_back (locked ? entry + " (locked)" : entry);
}

Names EventLog::entries () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return log;
}

void EventLog::clear ()
{
	std::lock_guard<std::mutex> lock (mutex);
	log.clear ();
}

} // Tolvik::Testing
