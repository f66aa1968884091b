// Which pages make up each sheet, in order.
#include "zorvprop.h"
#include "pages.h"

void AddNfsClientPages()
{
}

void AddFileSharingPages()
{
}
