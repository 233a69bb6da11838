#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// Sends standard error to a temporary file while alive, so a test can read
// what the program wrote there (the autoflash outcome).
class StandardErrorCapture
{
public:
    StandardErrorCapture();
    ~StandardErrorCapture();

    // Ends the capture and returns everything written meanwhile.
    QByteArray text();

private:
    void restore();

    QTemporaryFile mFile;
    int mSaved = -1;
};
