#include "cview.h"
#include "cbitmap.h"
#include "cframe.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace VSTGUI {

const IdStringPtr kMsgViewSizeChanged = "kMsgViewSizeChanged";

namespace {

// Attributes change on whatever thread asks: a container on another thread
// drops its mouse-down view before it waits for its frame's drawing lock,
// while the main thread may be setting it under that lock. One lock serves
// every view's attributes, which change seldom.
std::mutex& attributeMutex ()
{
	static std::mutex mutex;
	return mutex;
}

} // namespace

CView::CView (const CRect& size) : size (size) {}

CView::CView (const CView& other)
: ReferenceCounted (other),
  size (other.size),
  pBackground (other.pBackground),
  flagDirty (other.isDirty ()),
  flagVisible (other.isVisible ()),
  flagMouseEnabled (other.getMouseEnabled ())
{
	std::lock_guard<std::mutex> lock (attributeMutex ());
	attributes = other.attributes;
}

CView::~CView () noexcept = default;

void CView::setViewSize (const CRect& rect, bool invalidate)
{
	const bool changed = rect != size;
	size = rect;
	if (changed)
		notify (this, kMsgViewSizeChanged);
	if (invalidate)
		invalid ();
}

CMessageResult CView::notify (CView*, IdStringPtr)
{
	return kMessageUnknown;
}

void CView::setBackground (CBitmap* background)
{
	pBackground = background;
	setDirty (true);
}

void CView::onScaleFactorChanged (double) {}

VSTGUIEditorInterface* CView::getEditor () const
{
	auto frame = getFrame ();
	return frame ? frame->getEditor () : nullptr;
}

bool CView::attached (CViewContainer* parent)
{
	if (isAttached ())
		return false;
	auto frame = parent->getFrame ();
	pParentView.store (parent, std::memory_order_release);
	pFrame.store (frame, std::memory_order_release);
	setAttached (true);
	if (frame)
		frame->onViewAdded (this);
	viewListeners.forEach ([this] (IViewListener* l) { l->viewAttached (this); });
	return true;
}

bool CView::removed (CViewContainer*)
{
	if (!isAttached ())
		return false;
	viewListeners.forEach ([this] (IViewListener* l) { l->viewRemoved (this); });
	if (auto frame = getFrame ())
		frame->onViewRemoved (this);
	pParentView.store (nullptr, std::memory_order_release);
	pFrame.store (nullptr, std::memory_order_release);
	setAttached (false);
	return true;
}

void CView::draw (CDrawContext*)
{
	setDirty (false);
}

void CView::drawRect (CDrawContext* context, const CRect&)
{
	draw (context);
}

void CView::invalid ()
{
	setDirtyFlag (false);
	invalidRect (size);
}

void CView::invalidRect (const CRect& rect)
{
	auto parent = getParentView ();
	if (!isAttached () || !isVisible () || !parent)
		return;
	// Into the parent's parent's coordinates, where the parent's size lives.
	CRect inParent (rect);
	inParent.offset (parent->getViewSize ().left, parent->getViewSize ().top);
	parent->invalidRect (inParent);
}

CGraphicsTransform CView::getGlobalTransform () const
{
	CGraphicsTransform transform;
	for (const CView* parent = getParentView (); parent; parent = parent->getParentView ())
		transform.translate (parent->getViewSize ().getTopLeft ());
	return transform;
}

CMouseEventResult CView::onMouseDown (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel ()
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseEntered (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseExited (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

bool CView::onWheel (const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
	return false;
}

template <typename Attributes>
static auto findAttributeIn (Attributes& attributes, CViewAttributeID id)
{
	return std::find_if (attributes.begin (), attributes.end (), [id] (const auto& a) { return a.id == id; });
}

const CView::Attribute* CView::findAttribute (CViewAttributeID id) const
{
	auto it = findAttributeIn (attributes, id);
	return it == attributes.end () ? nullptr : &*it;
}

bool CView::setAttribute (CViewAttributeID id, uint32_t byteSize, const void* data)
{
	if (!data && byteSize)
		return false;
	auto bytes = static_cast<const uint8_t*> (data);
	std::vector<uint8_t> copy (bytes, bytes + byteSize);
	std::lock_guard<std::mutex> lock (attributeMutex ());
	auto it = findAttributeIn (attributes, id);
	if (it != attributes.end ())
		it->data = std::move (copy);
	else
		attributes.push_back ({id, std::move (copy)});
	return true;
}

bool CView::getAttributeSize (CViewAttributeID id, uint32_t& byteSize) const
{
	std::lock_guard<std::mutex> lock (attributeMutex ());
	auto attribute = findAttribute (id);
	if (!attribute)
		return false;
	byteSize = static_cast<uint32_t> (attribute->data.size ());
	return true;
}

bool CView::getAttribute (CViewAttributeID id, uint32_t byteSize, void* data, uint32_t& outSize) const
{
	std::lock_guard<std::mutex> lock (attributeMutex ());
	auto attribute = findAttribute (id);
	if (!attribute || byteSize < attribute->data.size ())
		return false;
	outSize = static_cast<uint32_t> (attribute->data.size ());
	if (outSize)
		std::memcpy (data, attribute->data.data (), outSize);
	return true;
}

bool CView::removeAttribute (CViewAttributeID id)
{
	std::lock_guard<std::mutex> lock (attributeMutex ());
	auto it = findAttributeIn (attributes, id);
	if (it == attributes.end ())
		return false;
	attributes.erase (it);
	return true;
}

} // VSTGUI
