// Loaded into the built program (LD_PRELOAD): once the toolkit application
// exists, with its display platform started, the toolkit is left no plugin
// folder, so that the program's icon cannot be read and its start-up stops
// in the report of that failure. Nothing else of the program is touched.
#include <QCoreApplication>
#include <QStringList>

namespace {

void HidePlugins() {
    QCoreApplication::setLibraryPaths(QStringList());
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(HidePlugins)
