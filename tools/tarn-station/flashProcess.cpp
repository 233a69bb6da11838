#include "flashProcess.h"

#include <unistd.h>

void FlashProcess::setupChildProcess()
{
    ::setpgid(0, 0);
}
