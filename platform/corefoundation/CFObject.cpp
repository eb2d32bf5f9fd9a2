#include "CFObject.h"

#include "CFAutoreleaseHandler.h"

#include <CoreFoundation/CFStandInDiagnostics.h>

#include <vector>

namespace CFStandIn {
namespace {

std::atomic<uint64_t> createdCount {0};
std::atomic<int64_t> aliveCount {0};
std::atomic<AutoreleaseHandler> autoreleaseHandler {nullptr};

// The references handed to CFAutorelease on one thread, given up when the
// pool is drained or the thread ends.
class AutoreleasePool
{
public:
	~AutoreleasePool () { drain (); }

	void add (CFTypeRef object) { objects.push_back (object); }
	void drain ()
	{
		// Releasing may autorelease again; take the list first.
		while (!objects.empty ())
		{
			std::vector<CFTypeRef> draining;
			draining.swap (objects);
			for (auto object : draining)
				CFRelease (object);
		}
	}

private:
	std::vector<CFTypeRef> objects;
};

AutoreleasePool& threadPool ()
{
	thread_local AutoreleasePool pool;
	return pool;
}

} // namespace

Object::Object ()
{
	createdCount.fetch_add (1, std::memory_order_relaxed);
	aliveCount.fetch_add (1, std::memory_order_relaxed);
}

Object::~Object ()
{
	aliveCount.fetch_sub (1, std::memory_order_relaxed);
}

void Object::release ()
{
	if (references.fetch_sub (1, std::memory_order_acq_rel) == 1)
		delete this;
}

uint64_t objectsCreated ()
{
	return createdCount.load (std::memory_order_relaxed);
}

int64_t objectsAlive ()
{
	return aliveCount.load (std::memory_order_relaxed);
}

void drainAutoreleasePool ()
{
	threadPool ().drain ();
}

void setAutoreleaseHandler (AutoreleaseHandler handler)
{
	autoreleaseHandler.store (handler);
}

} // namespace CFStandIn

using CFStandIn::objectFrom;

CFTypeRef CFRetain (CFTypeRef object)
{
	if (object)
		objectFrom (object)->retain ();
	return object;
}

void CFRelease (CFTypeRef object)
{
	if (object)
		objectFrom (object)->release ();
}

CFIndex CFGetRetainCount (CFTypeRef object)
{
	return object ? objectFrom (object)->retainCount () : 0;
}

CFTypeRef CFAutorelease (CFTypeRef object)
{
	if (!object)
		return object;
	auto handler = CFStandIn::autoreleaseHandler.load ();
	if (!handler || !handler (object))
		CFStandIn::threadPool ().add (object);
	return object;
}
