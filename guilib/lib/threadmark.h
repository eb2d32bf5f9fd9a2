// One thread noted beside some state: the thread that holds a lock word, or
// the thread that is handling a frame's event. Any thread may ask whether it
// is the one noted; only the noted thread can find its own id here, so
// relaxed order is enough for that question.
#pragma once

#include <atomic>
#include <thread>

namespace VSTGUI {

class ThreadMark
{
public:
	bool isThisThread () const { return is (std::this_thread::get_id ()); }
	void setThisThread () { set (std::this_thread::get_id ()); }
	// The same for a thread id that the caller has at hand.
	bool is (std::thread::id self) const { return thread.load (std::memory_order_relaxed) == self; }
	void set (std::thread::id self) { thread.store (self, std::memory_order_relaxed); }
	void clear () { thread.store (std::thread::id (), std::memory_order_relaxed); }

	// Notes this thread unless another one is noted. Answers whether this
	// thread is noted afterwards; `wasNoted` tells whether it already was.
	bool claim (bool& wasNoted)
	{
		const auto self = std::this_thread::get_id ();
		auto expected = std::thread::id ();
		if (thread.compare_exchange_strong (expected, self, std::memory_order_acq_rel))
		{
			wasNoted = false;
			return true;
		}
		wasNoted = expected == self;
		return wasNoted;
	}

private:
	std::atomic<std::thread::id> thread {};
	static_assert (std::atomic<std::thread::id>::is_always_lock_free, "no lock behind the mark");
};

} // VSTGUI
