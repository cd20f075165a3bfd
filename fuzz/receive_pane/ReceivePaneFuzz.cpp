// Received bytes on their way into the pane: rendering, the pending text
// that coalesces insertions, and the pane's text model with its cap, caret
// and row layout, driven by arbitrary bytes interleaved with edits.
//
// Input: byte 0 picks the text cap (small caps make trimming frequent),
// byte 1 the row width; then every byte is a received byte, except that
// 0xFE introduces an operation named by the byte after it (insert the
// pending text, move or extend the caret, delete, select all, change the
// width). Any broken invariant traps.

#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window/TextPaneModel.h"
#include "serialtest/PendingText.h"
#include "serialtest/ReceiveRenderer.h"

namespace {

using serialtest::PendingText;
using serialtest::ReceiveRenderer;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The rendering of one byte, written out independently of the renderer.
std::u16string Expected(std::uint8_t byte) {
    if (byte >= 32) {
        std::u16string one;
        const char c = static_cast<char>(byte);
        ReceiveRenderer::Append(std::string_view(&c, 1), one);
        return one;
    }
    std::u16string text = u"[";
    text += byte < 10 ? u' ' : static_cast<char16_t>(u'0' + byte / 10);
    text += static_cast<char16_t>(u'0' + byte % 10);
    text += u']';
    return text;
}

void CheckLayout(const win::TextPaneModel& model) {
    const int size = model.Size();
    Check(size <= model.Cap());
    Check(model.Caret() >= 0 && model.Caret() <= size);
    Check(model.Anchor() >= 0 && model.Anchor() <= size);
    const int rows = model.RowCount();
    Check(rows >= 1);
    Check(model.RowStart(0) == 0);
    int previousEnd = 0;
    for (int row = 0; row < rows; ++row) {
        const int start = model.RowStart(row);
        const int length = model.RowLength(row);
        Check(start >= previousEnd);
        Check(length >= 0 && length <= model.Columns());
        Check(start + length <= size);
        previousEnd = start + length;
    }
    const int caretRow = model.RowOf(model.Caret());
    Check(caretRow >= 0 && caretRow < rows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int cap = 1 + data[0] * 4;
    win::TextPaneModel model(cap);
    model.SetColumns(1 + data[1] % 100);
    PendingText pending(static_cast<std::size_t>(cap), std::chrono::milliseconds(15));
    // Everything received since the last insertion, rendered byte by byte.
    std::u16string reference;
    std::string run;

    // Received bytes reach the pending text in runs, as a drain hands them
    // over: every run ends where an operation stands.
    std::string chunk;
    const auto handOver = [&] {
        if (chunk.empty()) return;
        Check(ReceiveRenderer::RenderedLength(chunk) == ReceiveRenderer::Render(chunk).size());
        for (std::size_t chars : {std::size_t{1}, std::size_t{5}, static_cast<std::size_t>(cap)}) {
            const std::size_t n = ReceiveRenderer::TailBytesFor(chunk, chars);
            Check(n <= chunk.size());
            const std::size_t rendered =
                ReceiveRenderer::RenderedLength(std::string_view(chunk).substr(chunk.size() - n));
            Check(rendered >= std::min(chars, ReceiveRenderer::RenderedLength(chunk)));
        }
        pending.Append(chunk);
        chunk.clear();
    };

    for (std::size_t i = 2; i < size; ++i) {
        if (data[i] != 0xFE || i + 1 == size) {
            const std::uint8_t byte = data[i];
            const std::u16string one = Expected(byte);
            Check(!one.empty() && one.size() <= ReceiveRenderer::kMaxWidth);
            chunk.push_back(static_cast<char>(byte));
            reference += one;
            run.push_back(static_cast<char>(byte));
            continue;
        }
        handOver();
        const std::uint8_t op = data[++i];
        const bool extend = (op & 0x80) != 0;
        switch (op & 0x0F) {
            case 0: {
                // The pane's insertion: the pending text at the caret.
                Check(ReceiveRenderer::Render(run) == reference);
                const std::u16string_view text = pending.Text();
                const std::size_t keep = static_cast<std::size_t>(cap);
                const std::u16string tail =
                    reference.size() > keep ? reference.substr(reference.size() - keep) : reference;
                Check(text == tail);
                const bool atEnd = !model.HasSelection() && model.Caret() == model.Size();
                model.Insert(QStringView(text.data(), static_cast<qsizetype>(text.size())));
                const QString inserted =
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
                // Compared by content: QString::endsWith treats a null and an
                // empty string differently.
                const QString want = inserted.right(cap);
                if (atEnd)
                    Check(model.Size() >= want.size() &&
                          QStringView(model.Text()).right(want.size()) == want);
                pending.MarkInserted(PendingText::Clock::now());
                Check(pending.Empty());
                reference.clear();
                run.clear();
                break;
            }
            case 1:
                model.MoveLeft(extend);
                break;
            case 2:
                model.MoveRight(extend);
                break;
            case 3:
                model.MoveUp(extend, 1 + (op >> 4 & 7));
                break;
            case 4:
                model.MoveDown(extend, 1 + (op >> 4 & 7));
                break;
            case 5:
                model.MoveRowStart(extend);
                break;
            case 6:
                model.MoveRowEnd(extend);
                break;
            case 7:
                model.Backspace();
                break;
            case 8:
                model.DeleteForward();
                break;
            case 9:
                model.SelectAll();
                break;
            case 10:
                model.SetColumns(1 + (op >> 4));
                break;
            case 11:
                model.SetCaret(model.Size() * (op >> 4) / 7, extend);
                break;
            default:
                break;
        }
        CheckLayout(model);
    }
    handOver();
    CheckLayout(model);
    return 0;
}
