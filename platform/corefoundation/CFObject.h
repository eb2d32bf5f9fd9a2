// The common base of every Core Foundation and Core Graphics object of this
// stand-in: a thread-safe reference count, counted in the diagnostics.
#pragma once

#include <CoreFoundation/CFBase.h>

#include <atomic>

namespace CFStandIn {

class Object
{
public:
	Object ();
	virtual ~Object ();
	Object (const Object&) = delete;
	Object& operator= (const Object&) = delete;

	void retain () { references.fetch_add (1, std::memory_order_relaxed); }
	// Deletes the object when this was the last reference.
	void release ();
	CFIndex retainCount () const { return references.load (std::memory_order_relaxed); }

private:
	std::atomic<CFIndex> references {1};
};

// The object behind a reference handed out by this stand-in.
inline Object* objectFrom (CFTypeRef reference)
{
	return static_cast<Object*> (const_cast<void*> (reference));
}

} // namespace CFStandIn
