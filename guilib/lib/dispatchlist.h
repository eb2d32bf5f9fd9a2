// A list of listeners that may change while it calls them, on any thread: a
// listener removed during a pass is not called after its removal, and one
// added during a pass is called from the next pass on.
//
// A pass walks a snapshot of the entries; adding or removing replaces the
// snapshot, so a pass on one thread never reads a list that another thread is
// changing. A removal also marks its entry, so that passes still walking an
// older snapshot skip it from then on.
#pragma once

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace VSTGUI {

template <typename Listener>
class DispatchList
{
public:
	void add (Listener* listener)
	{
		std::lock_guard<std::mutex> guard (mutex);
		auto next = std::make_shared<Entries> (current ? *current : Entries ());
		next->push_back (std::make_shared<Entry> (listener));
		publish (std::move (next));
	}

	void remove (Listener* listener)
	{
		std::lock_guard<std::mutex> guard (mutex);
		if (!current)
			return;
		auto it = std::find_if (current->begin (), current->end (),
		                        [listener] (const auto& entry) { return entry->listener == listener; });
		if (it == current->end ())
			return;
		(*it)->removed.store (true, std::memory_order_release);
		auto next = std::make_shared<Entries> (*current);
		next->erase (next->begin () + (it - current->begin ()));
		publish (std::move (next));
	}

	template <typename Call>
	void forEach (Call&& call) const
	{
		// Most lists are empty: no snapshot is taken for them.
		if (count.load (std::memory_order_acquire) == 0)
			return;
		const auto entries = snapshot ();
		if (!entries)
			return;
		for (const auto& entry : *entries)
			if (!entry->removed.load (std::memory_order_acquire))
				call (entry->listener);
	}

private:
	struct Entry
	{
		explicit Entry (Listener* listener) : listener (listener) {}
		Listener* const listener;
		std::atomic<bool> removed {false};
	};
	using Entries = std::vector<std::shared_ptr<Entry>>;

	std::shared_ptr<const Entries> snapshot () const
	{
		std::lock_guard<std::mutex> guard (mutex);
		return current;
	}

	// Called with the mutex held.
	void publish (std::shared_ptr<Entries> next)
	{
		count.store (next->size (), std::memory_order_release);
		current = next->empty () ? nullptr : std::move (next);
	}

	mutable std::mutex mutex;
	std::shared_ptr<const Entries> current;
	std::atomic<size_t> count {0};
};

} // VSTGUI
