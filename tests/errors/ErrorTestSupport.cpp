#include "ErrorTestSupport.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

namespace errors::testing {
namespace {

constexpr int kMaxPolls = 2000;

ErrorDialog* VisibleErrorDialog() {
    if (auto* modal = qobject_cast<ErrorDialog*>(QApplication::activeModalWidget())) return modal;
    for (auto* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<ErrorDialog*>(widget);
        if (dialog && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

void Poll(std::function<QPushButton*(ErrorDialog&)> pick, std::string* text, int left) {
    auto* dialog = VisibleErrorDialog();
    if (!dialog) {
        if (left > 0) {
            QTimer::singleShot(
                0, [pick = std::move(pick), text, left] { Poll(pick, text, left - 1); });
        }
        return;
    }
    if (text) {
        if (const auto* report = dialog->findChild<QPlainTextEdit*>("report")) {
            *text = report->toPlainText().toStdString();
        }
    }
    QTest::mouseClick(pick(*dialog), Qt::LeftButton);
}

}  // namespace

void AnswerNextErrorDialog(std::function<QPushButton*(ErrorDialog&)> pick, std::string* text) {
    QTimer::singleShot(0, [pick = std::move(pick), text] { Poll(pick, text, kMaxPolls); });
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace errors::testing
