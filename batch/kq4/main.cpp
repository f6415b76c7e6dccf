// "KQ4.DLL": the chaos indicator program, started without arguments in the
// working directory. Exit status 0 when it stops by itself, -1 after a fatal
// error.
#include "ChaosIndicators.hpp"
#include "RunControl.hpp"

int main()
{
    return batch::RunProgram("KQ4", [] { kq4::RunChaosIndicators(); });
}
