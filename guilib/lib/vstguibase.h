// Reference counting of the library's objects.
//
// An object starts with one reference, owned by whoever made it. remember()
// adds one and forget() gives one up; the last forget() calls beforeDelete()
// and then deletes the object. The count is atomic so that references may be
// taken and given up on any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

namespace VSTGUI {

class ReferenceCounted
{
public:
	ReferenceCounted () = default;
	// A copy is a new object: it starts with its own single reference.
	ReferenceCounted (const ReferenceCounted&) : nbReference (1) {}
	ReferenceCounted& operator= (const ReferenceCounted&) { return *this; }
	virtual ~ReferenceCounted () noexcept = default;

	virtual void beforeDelete () {}
	virtual void remember () { nbReference.fetch_add (1, std::memory_order_relaxed); }
	virtual void forget ()
	{
		if (nbReference.fetch_sub (1, std::memory_order_acq_rel) == 1)
		{
			beforeDelete ();
			delete this;
		}
	}
	int32_t getNbReference () const { return nbReference.load (std::memory_order_relaxed); }

private:
	std::atomic<int32_t> nbReference {1};
};

// Holds one counted reference to an object of type T.
template <typename T>
class SharedPointer
{
public:
	SharedPointer () noexcept = default;
	SharedPointer (std::nullptr_t) noexcept {}
	// Takes a reference of its own (remember == true) or adopts the caller's.
	SharedPointer (T* object, bool remember = true) noexcept : object (object)
	{
		if (object && remember)
			object->remember ();
	}
	SharedPointer (const SharedPointer& other) noexcept : SharedPointer (other.object) {}
	SharedPointer (SharedPointer&& other) noexcept : object (std::exchange (other.object, nullptr)) {}
	template <typename U>
	SharedPointer (const SharedPointer<U>& other) noexcept : SharedPointer (other.get ())
	{
	}
	~SharedPointer () noexcept { reset (); }

	SharedPointer& operator= (SharedPointer other) noexcept
	{
		std::swap (object, other.object);
		return *this;
	}

	void reset () noexcept
	{
		if (auto old = std::exchange (object, nullptr))
			old->forget ();
	}

	T* get () const noexcept { return object; }
	T* operator-> () const noexcept { return object; }
	T& operator* () const noexcept { return *object; }
	explicit operator bool () const noexcept { return object != nullptr; }
	operator T* () const noexcept { return object; }

	template <typename U>
	SharedPointer<U> cast () const noexcept
	{
		return SharedPointer<U> (dynamic_cast<U*> (object));
	}

private:
	T* object {nullptr};
};

// Adopts the single reference of a newly made object.
template <typename T, typename... Args>
SharedPointer<T> makeOwned (Args&&... args)
{
	return SharedPointer<T> (new T (std::forward<Args> (args)...), false);
}

} // VSTGUI
