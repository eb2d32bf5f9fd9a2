#include "OutsideHolder.h"

#include "lib/cframe.h"

namespace Tolvik::Testing {

OutsideHolder::OutsideHolder (VSTGUI::CFrame& frame)
: job ([this, &frame] {
	  frame.LockGUIDrawing ();
	  held.notify ();
	  finish.wait ();
	  frame.UnLockGUIDrawing ();
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
