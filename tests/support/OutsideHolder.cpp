#include "OutsideHolder.h"

#include "lib/cframe.h"
#include "lib/controls/coptionmenu.h"

namespace Tolvik::Testing {

OutsideHolder::OutsideHolder (VSTGUI::CFrame& frame)
: OutsideHolder ([&frame] { frame.LockGUIDrawing (); }, [&frame] { frame.UnLockGUIDrawing (); })
{
}

OutsideHolder::OutsideHolder (VSTGUI::COptionMenu& menu)
: OutsideHolder ([&menu] { menu.LockListAccess (); }, [&menu] { menu.UnLockListAccess (); })
{
}

OutsideHolder::OutsideHolder (std::function<void ()> lock, std::function<void ()> unlock)
: job ([this, lock = std::move (lock), unlock = std::move (unlock)] {
	  lock ();
	  held.notify ();
	  finish.wait ();
	  unlock ();
  })
{
	held.wait ();
}

OutsideHolder::~OutsideHolder ()
{
	release ();
}

void OutsideHolder::release ()
{
	finish.notify ();
	job.join ();
}

} // Tolvik::Testing
