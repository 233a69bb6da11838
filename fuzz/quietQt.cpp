// Shared by every fuzz target: the code under test reports rejected input as
// Qt warnings, which at fuzzing speed only cost time.
#include <QString>
#include <QtGlobal>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler(dropMessage);
    return 0;
}
