// The name of a test view or container and the log it writes to: entries
// "NAME what", the last one "NAME destroyed"; without a log, none.
#pragma once

#include "EventLog.h"

#include <string>

namespace Tolvik::Testing {

class Named
{
public:
	Named (EventLog* log, std::string name);
	~Named () noexcept;
	Named (const Named&) = delete;
	Named& operator= (const Named&) = delete;

	const std::string name;

protected:
	void note (const std::string& what) const;

private:
	EventLog* log;
};

} // Tolvik::Testing
