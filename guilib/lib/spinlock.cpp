#include "spinlock.h"
#include "vstguidebug.h"

namespace VSTGUI {
namespace SpinLock {

namespace {

// Edits and draws: code inside them must not edit again or take events.
bool isStrict (HoldKind kind)
{
	return kind == HoldKind::edit || kind == HoldKind::draw;
}

// Edits and events wait: on the holding thread, inside a strict hold or a
// plain lock, that wait would never end.
bool waitsForItself (HoldKind kind)
{
	return kind == HoldKind::edit || kind == HoldKind::event;
}

} // namespace

void reportNestedUse ()
{
	doAssert (__FILE__, VSTGUI_ASSERT_STRINGIFY (__LINE__), "waits for a lock that this thread holds");
}

//------------------------------------------------------------------------------
void Holds::waitUnlessHeldHere ()
{
	if (isHeldHere ())
		return reportNestedUse ();
	wait (word);
}

void Holds::plainLock ()
{
	if (lock (word))
		noteHolder (0);
}

void Holds::plainUnlock ()
{
	holder.clear ();
	unlock (word);
}

void Holds::plainWaitForThenLock ()
{
	if (isHeldHere ())
		return reportNestedUse ();
	acquire (false);
	noteHolder (0);
}

// A depth of 0 marks a plain lock: the library's holds on the same thread run
// under it without counting, and the next unlock step ends it.
void Holds::noteHolder (int32_t holdDepth)
{
	holder.setThisThread ();
	depth.store (holdDepth, std::memory_order_relaxed);
}

// Takes the word from 0. A draw or an event that has to wait says so, and
// edits then leave the word to it: with one swap per millisecond each, a
// waiter would otherwise win only by chance against a thread that takes the
// word again right after giving it back.
void Holds::acquire (bool ahead)
{
	if (!ahead)
	{
		while (waitingAhead.load (std::memory_order_acquire) != 0 || !lock (word))
			usleep (kPollInterval);
		return;
	}
	if (lock (word))
		return;
	waitingAhead.fetch_add (1, std::memory_order_acq_rel);
	while (!lock (word))
		usleep (kPollInterval);
	waitingAhead.fetch_sub (1, std::memory_order_acq_rel);
}

Holds::Taken Holds::take (HoldKind kind, bool& wasStrict)
{
	wasStrict = false;
	if (isHeldHere ())
	{
		const auto holdDepth = depth.load (std::memory_order_relaxed);
		if (holdDepth <= 0)
		{
			// Under a plain lock of this thread. A draw makes its lock and
			// unlock steps, so the draw's end clears the word; a wait
			// would never end, so it is reported and runs under the lock.
			if (kind == HoldKind::draw)
				return lock (word), Taken::lockStep;
			if (waitsForItself (kind))
				reportNestedUse ();
			return Taken::nothing;
		}
		wasStrict = strict.load (std::memory_order_relaxed);
		if (wasStrict && waitsForItself (kind))
			reportNestedUse ();
		depth.store (holdDepth + 1, std::memory_order_relaxed);
		strict.store (isStrict (kind), std::memory_order_relaxed);
		return Taken::deeper;
	}
	if (kind == HoldKind::ifFree)
	{
		if (!lock (word))
			return Taken::nothing;
	}
	else
		acquire (kind != HoldKind::edit);
	noteHolder (1);
	strict.store (isStrict (kind), std::memory_order_relaxed);
	return Taken::word;
}

void Holds::give (Taken taken, bool wasStrict)
{
	switch (taken)
	{
		case Taken::nothing:
			return;
		case Taken::lockStep:
			plainUnlock ();
			return;
		case Taken::deeper:
		case Taken::word:
		{
			// An unlock step from outside may have ended this thread's hold
			// (and someone may hold the word since): then there is nothing
			// left to give back.
			if (!holder.isThisThread ())
				return;
			const auto holdDepth = depth.load (std::memory_order_relaxed);
			if (holdDepth <= 0)
				return;
			depth.store (holdDepth - 1, std::memory_order_relaxed);
			strict.store (wasStrict, std::memory_order_relaxed);
			if (holdDepth == 1)
				plainUnlock ();
			return;
		}
	}
}

//------------------------------------------------------------------------------
Hold::Hold (Holds* holds, HoldKind kind) : record (holds)
{
	if (record)
		taken = record->take (kind, wasStrict);
}

Hold::~Hold () noexcept
{
	if (record)
		record->give (taken, wasStrict);
}

} // SpinLock
} // VSTGUI
