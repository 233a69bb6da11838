#include "standardErrorCapture.h"

#include <cstdio>
#include <unistd.h>

StandardErrorCapture::StandardErrorCapture()
{
    if (!mFile.open()) {
        return;
    }
    std::fflush(stderr);
    mSaved = ::dup(STDERR_FILENO);
    ::dup2(mFile.handle(), STDERR_FILENO);
}

StandardErrorCapture::~StandardErrorCapture()
{
    restore();
}

QByteArray StandardErrorCapture::text()
{
    restore();
    mFile.seek(0);
    return mFile.readAll();
}

void StandardErrorCapture::restore()
{
    if (mSaved < 0) {
        return;
    }
    std::fflush(stderr);
    ::dup2(mSaved, STDERR_FILENO);
    ::close(mSaved);
    mSaved = -1;
}
