#include "Named.h"

namespace Tolvik::Testing {

Named::Named (EventLog* log, std::string name) : name (std::move (name)), log (log)
{
}

Named::~Named () noexcept
{
	note ("destroyed");
}

void Named::note (const std::string& what) const
{
	if (log)
		log->add (name + " " + what);
}

} // Tolvik::Testing
