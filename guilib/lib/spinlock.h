// The library's spin locks: a 32-bit word, 0 free and 1 taken, that changes
// only through a compare-and-swap with a full barrier, and every decision on
// it is taken from the result of such a swap. The frame's drawing lock and the
// option menu's list lock are built from these steps. Every step may run on
// any thread.
#pragma once

#include "threadmark.h"
#include "vstguidebug.h"

#include <libkern/OSAtomic.h>
#include <unistd.h>

#include <cstdint>

namespace VSTGUI {
namespace SpinLock {

using Word = int32_t;

// Microseconds that a waiting thread sleeps between two tests of the word.
constexpr useconds_t kPollInterval = 1000;

// Free test: true exactly when the word is 0. It writes 0 over 0, so it never
// changes the word.
inline bool isFree (Word& word)
{
	return OSAtomicCompareAndSwap32Barrier (0, 0, &word);
}

// Wait step: tests first and sleeps between tests until the word is free. It
// reserves nothing for the caller.
inline void wait (Word& word)
{
	while (!isFree (word))
		usleep (kPollInterval);
}

// Lock step: sets the word to 1 from whatever it holds, without waiting and
// without retrying. Answers whether it was this step that took a free word.
//
// The word only ever holds 0 or 1, so the step need not read it first to know
// the old value to swap from: a swap from 0 either takes a free word, or
// fails on a word that already holds 1, where a swap from 1 to 1 would have
// changed nothing. The outcome is that of reading the word and swapping from
// the value read, for every value the word can hold, and it saves a load that
// costs nearly as much as the swap when it runs right before one.
inline bool lock (Word& word)
{
	return OSAtomicCompareAndSwap32Barrier (0, 1, &word);
}

// Unlock step: clears the word whoever set it, without retrying; as with the
// lock step, a swap from 1 either clears the word or finds it already 0.
inline void unlock (Word& word)
{
	OSAtomicCompareAndSwap32Barrier (1, 0, &word);
}

// Wait-then-lock: polls like the wait step, but each poll is one swap from 0
// to 1, so of two threads that find the word free only one takes it.
inline void waitForThenLock (Word& word)
{
	while (!OSAtomicCompareAndSwap32Barrier (0, 1, &word))
		usleep (kPollInterval);
}

// The thread that took a word from 0 to 1, kept beside the word (which stays
// 0 or 1). It lets a locked stretch tell a hold of its own thread, on which a
// wait would wait for itself, from a hold of another thread.
using Holder = ThreadMark;

// True when this thread holds the word: a wait would never end.
inline bool isNestedUse (Word& word, const Holder& holder)
{
	return holder.isThisThread () && !isFree (word);
}

inline void reportNestedUse ()
{
	doAssert (__FILE__, VSTGUI_ASSERT_STRINGIFY (__LINE__), "waits for a lock that this thread holds");
}

// The wait step, except on the holding thread, where the nested use is
// reported and the caller goes on at once.
inline void waitUnlessHeldHere (Word& word, const Holder& holder)
{
	if (isNestedUse (word, holder))
		return reportNestedUse ();
	wait (word);
}

// Wait-then-lock for this thread. On the holding thread the nested use is
// reported and nothing is taken: the outer stretch keeps the word. Answers
// whether it took the word.
inline bool waitForThenTake (Word& word, Holder& holder)
{
	if (isNestedUse (word, holder))
	{
		reportNestedUse ();
		return false;
	}
	waitForThenLock (word);
	holder.setThisThread ();
	return true;
}

// Takes the word for this thread, waiting only for holds of other threads; on
// the holding thread it is the plain lock step.
inline void takeWaitingForOtherThreads (Word& word, Holder& holder)
{
	if (holder.isThisThread ())
		return static_cast<void> (lock (word));
	waitForThenLock (word);
	holder.setThisThread ();
}

// The unlock step, if this thread still holds the word: a hold that someone
// else has cleared, and that another thread may have taken since, is left
// alone.
inline void releaseIfHeldHere (Word& word, Holder& holder)
{
	if (!holder.isThisThread ())
		return;
	holder.clear ();
	unlock (word);
}

// The lock step, noting this thread as the holder when it took a free word.
inline void lock (Word& word, Holder& holder)
{
	if (lock (word))
		holder.setThisThread ();
}

// The unlock step, which forgets the holder too.
inline void unlock (Word& word, Holder& holder)
{
	holder.clear ();
	unlock (word);
}

// Holds a word for one locked stretch: waits for it and takes it, and gives
// it back when the stretch ends, also when an exception leaves it. A null
// word holds nothing; a nested stretch on the holding thread takes and gives
// back nothing. May run on any thread.
class LockedStretch
{
public:
	LockedStretch (Word* word, Holder* holder)
	: word (word), holder (holder), taken (word && waitForThenTake (*word, *holder))
	{
	}
	~LockedStretch () noexcept
	{
		if (taken)
			releaseIfHeldHere (*word, *holder);
	}
	LockedStretch (const LockedStretch&) = delete;
	LockedStretch& operator= (const LockedStretch&) = delete;

private:
	Word* word;
	Holder* holder;
	bool taken;
};

// Sets a word for one stretch without waiting for the stretches of its own
// thread, but after the holds of other threads have ended, and clears it at
// the end if this thread still holds it.
class SetStretch
{
public:
	SetStretch (Word& word, Holder& holder) : word (word), holder (holder)
	{
		takeWaitingForOtherThreads (word, holder);
	}
	~SetStretch () noexcept { releaseIfHeldHere (word, holder); }
	SetStretch (const SetStretch&) = delete;
	SetStretch& operator= (const SetStretch&) = delete;

private:
	Word& word;
	Holder& holder;
};

} // SpinLock
} // VSTGUI
