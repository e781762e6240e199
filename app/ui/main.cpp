#include "app/ui/CMainFrame.h"
#include "app/ui/CSignalCloser.h"
#include "app/ui/CVexoViewerApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv by now.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CVexoViewerApp theApp;
    CSignalCloser signalCloser([&theApp]() -> QWidget* { return theApp.GetMainWnd(); });
    int result = 1;
    if (theApp.InitInstance(arguments)) {
        result = signalCloser.CloseRequested() ? 0 : application.exec();
    }
    theApp.ExitInstance();
    return result;
}
