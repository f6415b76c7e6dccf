// PXD.DLL: the stand-in for the outside trading-system program, started by
// the front end with no arguments in the working directory.
#include "PxdStandIn.hpp"

int main()
{
    return pxd::RunInCurrentDirectory();
}
