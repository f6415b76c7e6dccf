// TLQ.DLL: the stand-in for the outside merge program, started by the price
// editor with no arguments in the working directory.
#include "TlqStandIn.hpp"

int main()
{
    return tlq::RunInCurrentDirectory();
}
