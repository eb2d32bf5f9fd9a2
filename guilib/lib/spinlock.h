// The library's spin locks: a 32-bit word, 0 free and 1 taken, that changes
// only through a compare-and-swap with a full barrier; every decision on it
// is taken from the result of such a swap. The frame's drawing lock and the
// option menu's list lock are built from these pieces:
//
// - the plain steps on a word, which is all that the exported lock
//   operations do: no owner, no count;
// - `Holds`, the library's own bookkeeping beside a word: which thread holds
//   it, how deep that thread's holds are nested, and who is waiting;
// - `Hold`, one scoped hold of the library's code (an edit, a draw, an event
//   or a teardown), given back when it ends, also through an exception.
//
// Every piece may run on any thread.
#pragma once

#include "threadmark.h"

#include <libkern/OSAtomic.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <thread>

namespace VSTGUI {
namespace SpinLock {

using Word = int32_t;

// Microseconds that a waiting thread sleeps between two tests of the word.
constexpr useconds_t kPollInterval = 1000;

//------------------------------------------------------------------------------
// The plain steps.

// True exactly when the word is 0. Swaps 0 for 0, so it never changes the
// word, and like every swap it is a full barrier: a thread that finds the
// word free sees everything that the last holder wrote before letting go.
inline bool isFree (Word& word)
{
	return OSAtomicCompareAndSwap32Barrier (0, 0, &word);
}

// Tests first, then sleeps between tests until the word is free. Reserves
// nothing for the caller.
inline void wait (Word& word)
{
	while (!isFree (word))
		usleep (kPollInterval);
}

// Sets the word to 1 without waiting and without retrying. Answers whether
// this step took a free word.
//
// The word only ever holds 0 or 1, so a swap from 0 either takes a free word
// or fails on a word that already holds 1, where a swap from 1 to 1 would
// change nothing: the same outcome as reading the word and swapping from the
// value read, without the load.
inline bool lock (Word& word)
{
	return OSAtomicCompareAndSwap32Barrier (0, 1, &word);
}

// Clears the word whoever set it, without retrying.
inline void unlock (Word& word)
{
	OSAtomicCompareAndSwap32Barrier (1, 0, &word);
}

// Polls like the wait step, but each poll is one swap from 0 to 1, so of two
// threads that find the word free only one takes it.
inline void waitForThenLock (Word& word)
{
	while (!lock (word))
		usleep (kPollInterval);
}

//------------------------------------------------------------------------------
// The library's holds.

// What a hold is for. It decides whom the hold lets go first, and what
// happens when the thread that holds the word asks for it again.
enum class HoldKind
{
	// A change of what the word guards (a view tree, an item list). Lets
	// waiting draws and events go first. Another edit or an event on the
	// same thread inside it is the caller's error: it is reported to the
	// assertion handler and then runs under this hold.
	edit,
	// The frame's draw. Goes ahead of waiting edits. Inside a hold of the
	// same thread it only deepens that hold. Edits and events inside it are
	// reported, as inside an edit.
	draw,
	// The dispatch of one mouse event. Goes ahead of waiting edits. Edits
	// made by the views that handle the event deepen it quietly.
	event,
	// Taking a whole tree down. Goes ahead of waiting edits and deepens
	// quietly.
	teardown,
	// Something that must not wait: it takes the word only when it is free
	// at once, deepens a hold of its own thread quietly, and otherwise runs
	// without the word.
	ifFree,
	// A pass that reads or marks what the word guards (an option menu's
	// count, mark and popup passes). Goes ahead of waiting edits; edits
	// inside it are reported. On a thread that holds the word already it
	// makes the plain lock and unlock steps, so its end clears the word.
	pass
};

class Hold;

// The library's bookkeeping beside one word: which thread holds it, and how.
// Only the holding thread changes how it holds the word; the waiter count
// lets edits give way to a draw or an event that is waiting, so that those
// get the word within a poll or two however busy other threads keep it.
class Holds
{
public:
	explicit Holds (Word& word) : word (word) {}
	Holds (const Holds&) = delete;
	Holds& operator= (const Holds&) = delete;

	// True when this thread holds the word, by a hold of the library or by
	// the exported lock operations: a wait here would wait for itself.
	bool isHeldHere () const { return holder.isThisThread () && !isFree (word); }

	// The exported operations: the plain steps, with the holder noted so
	// that a wait on the holding thread can be told from a wait for another.
	void waitUnlessHeldHere ();
	void plainLock ();
	void plainUnlock ();
	void plainWaitForThenLock ();

private:
	friend class Hold;

	enum class Taken : uint8_t
	{
		nothing,  // no change (a plain lock of this thread, or not free at once)
		lockStep, // nested without counting: the plain lock and unlock steps
		deeper,   // nested in a hold of this thread's own
		word      // the word, from 0: given back when the hold ends
	};
	// How the word is held: by the exported operations (plain), and whether
	// the innermost hold is an edit or a draw (strict).
	using Flags = uint8_t;
	static constexpr Flags kPlain = 1;
	static constexpr Flags kStrict = 2;

	static Flags flagsOf (HoldKind kind)
	{
		return kind == HoldKind::edit || kind == HoldKind::draw || kind == HoldKind::pass ? kStrict : 0;
	}

	Taken take (HoldKind kind, std::thread::id self, Flags& outerFlags)
	{
		if (holder.is (self) && !isFree (word))
			return takeNested (kind, outerFlags);
		if (!lockFromFree (kind))
			return Taken::nothing;
		holder.set (self);
		flags.store (flagsOf (kind), std::memory_order_relaxed);
		return Taken::word;
	}

	void give (Taken taken, std::thread::id self, Flags outerFlags)
	{
		if (taken != Taken::word)
			return giveNested (taken, outerFlags);
		// An unlock from another thread may have ended the hold already,
		// and the word may be that thread's since.
		if (holder.is (self))
		{
			holder.clear ();
			unlock (word);
		}
	}

	// Edits leave a free word to a waiting draw or event; a hold that must
	// not wait takes it only when it is free at once.
	bool lockFromFree (HoldKind kind)
	{
		const bool givesWay = kind == HoldKind::edit;
		if ((!givesWay || waitingAhead.load (std::memory_order_relaxed) == 0) && lock (word))
			return true;
		if (kind == HoldKind::ifFree)
			return false;
		waitToLock (!givesWay);
		return true;
	}

	void waitToLock (bool ahead);
	Taken takeNested (HoldKind kind, Flags& outerFlags);
	void giveNested (Taken taken, Flags outerFlags);
	void notePlainHolder ();

	Word& word;
	ThreadMark holder;
	// Written by the holding thread; atomic so that an outside unlock on
	// another thread, which ends the hold under it, is no data race.
	std::atomic<Flags> flags {0};
	std::atomic<int32_t> waitingAhead {0};
};

// One hold of the library's code on a word, for the life of the object. A
// null `holds` holds nothing.
class Hold
{
public:
	Hold (Holds* holds, HoldKind kind) : record (holds)
	{
		if (record)
			taken = record->take (kind, self, outerFlags);
	}
	~Hold () noexcept
	{
		if (record)
			record->give (taken, self, outerFlags);
	}
	Hold (const Hold&) = delete;
	Hold& operator= (const Hold&) = delete;

	// Gives back what this holds, then holds `holds` instead.
	void retake (Holds* holds, HoldKind kind)
	{
		if (record)
			record->give (taken, self, outerFlags);
		record = holds;
		taken = Holds::Taken::nothing;
		outerFlags = 0;
		if (record)
			taken = record->take (kind, self, outerFlags);
	}

private:
	Holds* record;
	// Holds are made and given back on one thread.
	const std::thread::id self {std::this_thread::get_id ()};
	Holds::Taken taken {Holds::Taken::nothing};
	Holds::Flags outerFlags {0};
};

// Reports a wait on a word that the calling thread holds.
void reportNestedUse ();

} // SpinLock
} // VSTGUI
