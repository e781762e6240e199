#include "app/ui/CMainFrame.h"
#include "app/ui/CSignalCloser.h"
#include "app/ui/CVexoViewerApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv by now.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CVexoViewerApp theApp;
    int result = 1;
    if (theApp.InitInstance(arguments)) {
        CSignalCloser signalCloser(theApp.GetMainWnd());
        result = application.exec();
    }
    theApp.ExitInstance();
    return result;
}
