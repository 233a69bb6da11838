#pragma once

#include <QProcess>

// One gateway's autoflash run, in a process group of its own: Ctrl+C on the
// terminal reaches only the station, which decides which runs to stop, so a
// write under way is not cut off halfway by the same keystroke.
class FlashProcess : public QProcess
{
public:
    using QProcess::QProcess;

protected:
    void setupChildProcess() override;
};
