// A list of listeners that may change while it calls them: a listener removed
// during a pass is not called after its removal, and one added during a pass
// is called from the next pass on. Passes may run on several threads at once
// (a container's listeners hear of added views on the editing thread), but
// listeners are added and removed on one thread only.
#pragma once

#include <algorithm>
#include <atomic>
#include <vector>

namespace VSTGUI {

template <typename Listener>
class DispatchList
{
public:
	void add (Listener* listener) { entries.push_back (listener); }

	void remove (Listener* listener)
	{
		auto it = std::find (entries.begin (), entries.end (), listener);
		if (it == entries.end ())
			return;
		if (passes.load (std::memory_order_acquire) == 0)
			entries.erase (it);
		else
		{
			*it = nullptr;
			hasRemovals = true;
		}
	}

	template <typename Call>
	void forEach (Call&& call)
	{
		if (entries.empty ())
			return;
		Pass pass (*this);
		for (size_t i = 0, count = entries.size (); i < count; ++i)
			if (auto listener = entries[i])
				call (listener);
	}

private:
	struct Pass
	{
		explicit Pass (DispatchList& list) : list (list) { list.passes.fetch_add (1, std::memory_order_acq_rel); }
		~Pass () noexcept
		{
			if (list.passes.fetch_sub (1, std::memory_order_acq_rel) == 1 && list.hasRemovals)
			{
				list.entries.erase (std::remove (list.entries.begin (), list.entries.end (), nullptr),
				                    list.entries.end ());
				list.hasRemovals = false;
			}
		}
		DispatchList& list;
	};

	std::vector<Listener*> entries;
	std::atomic<int> passes {0};
	bool hasRemovals {false};
};

} // VSTGUI
