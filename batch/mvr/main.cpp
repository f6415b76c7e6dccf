#include "MainIndicators.hpp"
#include "RunControl.hpp"

int main()
{
    return batch::RunProgram("MVR", mvr::RunMainIndicators);
}
