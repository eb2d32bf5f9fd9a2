// Installs an assertion handler for its life that records each report's
// message ("" for none) and, if asked, throws after recording.
#pragma once

#include "Names.h"

#include <cstddef>
#include <string>

namespace Tolvik::Testing {

class AssertionRecorder
{
public:
	explicit AssertionRecorder (bool throwing = false);
	~AssertionRecorder ();
	AssertionRecorder (const AssertionRecorder&) = delete;
	AssertionRecorder& operator= (const AssertionRecorder&) = delete;

	Names reports () const;
	size_t count () const { return reports ().size (); }

	// What a throwing recorder throws.
	struct Failure
	{
		std::string message;
	};
};

} // Tolvik::Testing
