#include "spinlock.h"
#include "vstguidebug.h"

namespace VSTGUI {
namespace SpinLock {

namespace {

// Edits and events wait: on the holding thread, inside an edit, a draw or a
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
		notePlainHolder ();
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
	if (!lockFromFree (HoldKind::edit))
		return;
	notePlainHolder ();
}

// Under a plain lock the library's holds on the same thread take nothing, and
// the next unlock step ends it.
void Holds::notePlainHolder ()
{
	holder.setThisThread ();
	flags.store (kPlain, std::memory_order_relaxed);
}

// Polls once a millisecond with a swap from 0 to 1, after a first test that
// found the word taken. A draw or an event that has to wait says so, and edits
// then leave the word to it: with one swap per millisecond each, a waiter
// would otherwise win only by chance against a thread that takes the word
// again right after giving it back.
void Holds::waitToLock (bool ahead)
{
	if (!ahead)
	{
		do
			usleep (kPollInterval);
		while (waitingAhead.load (std::memory_order_acquire) != 0 || !lock (word));
		return;
	}
	waitingAhead.fetch_add (1, std::memory_order_acq_rel);
	do
		usleep (kPollInterval);
	while (!lock (word));
	waitingAhead.fetch_sub (1, std::memory_order_acq_rel);
}

Holds::Taken Holds::takeNested (HoldKind kind, Flags& outerFlags)
{
	outerFlags = flags.load (std::memory_order_relaxed);
	if (kind == HoldKind::pass)
		return lock (word), Taken::lockStep;
	if (outerFlags & kPlain)
	{
		// A draw makes its lock and unlock steps, so the draw's end clears
		// the word; a wait would never end, so it is reported and runs
		// under the lock.
		if (kind == HoldKind::draw)
			return lock (word), Taken::lockStep;
		if (waitsForItself (kind))
			reportNestedUse ();
		return Taken::nothing;
	}
	if ((outerFlags & kStrict) && waitsForItself (kind))
		reportNestedUse ();
	flags.store (flagsOf (kind), std::memory_order_relaxed);
	return Taken::deeper;
}

void Holds::giveNested (Taken taken, Flags outerFlags)
{
	switch (taken)
	{
		case Taken::nothing:
		case Taken::word:
			return;
		case Taken::lockStep:
			plainUnlock ();
			return;
		case Taken::deeper:
			if (holder.isThisThread ())
				flags.store (outerFlags, std::memory_order_relaxed);
			return;
	}
}

} // SpinLock
} // VSTGUI
