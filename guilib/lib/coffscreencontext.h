// A draw context whose surface is a bitmap of its own, made by the platform
// frame: views draw into it, and the bitmap is then drawn like any other.
#pragma once

#include "cbitmap.h"
#include "cdrawcontext.h"

namespace VSTGUI {

class COffscreenContext : public CDrawContext
{
public:
	// The bitmap that the context draws into.
	CBitmap* getBitmap () const { return bitmap; }

protected:
	explicit COffscreenContext (const CRect& surfaceRect) : CDrawContext (surfaceRect) {}

	SharedPointer<CBitmap> bitmap;
};

} // VSTGUI
