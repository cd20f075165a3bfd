#include "check/ReportJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "check/CheckTexts.h"
#include "check/LineCheck.h"

namespace check {

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QJsonObject Settings(const serial::LineSettings& s) {
    return {{"baud", static_cast<qint64>(s.baud)},
            {"dataBits", s.byteSize},
            {"parity", Text(serial::ParityName(s.parity))},
            {"stopBits", Text(serial::StopBitsName(s.stopBits))},
            {"text", Text(SettingsText(s))}};
}

QJsonValue Errors(const std::optional<serial::ErrorCounters>& e) {
    if (!e) return QJsonValue::Null;
    return QJsonObject{{"parity", static_cast<qint64>(e->parity)},
                       {"framing", static_cast<qint64>(e->framing)},
                       {"overrun", static_cast<qint64>(e->overrun)},
                       {"break", static_cast<qint64>(e->breaks)},
                       {"bufferOverrun", static_cast<qint64>(e->bufferOverrun)}};
}

QString VerdictName(Verdict v) {
    switch (v) {
        case Verdict::Ok:
            return Text(std::string(texts::kOk));
        case Verdict::Failed:
            return Text(std::string(texts::kFailed));
        case Verdict::Refused:
            return Text(std::string(texts::kRefused));
        case Verdict::RateOff:
            return Text(std::string(texts::kRateOff));
    }
    return {};
}

QJsonArray Slips(const ByteCounts& c) {
    QJsonArray out;
    for (const auto& slip : c.slips)
        out.append(QJsonObject{{"kind", Text(std::string(SlipKindName(slip.kind)))},
                               {"offset", static_cast<qint64>(slip.offset)},
                               {"receivedOffset", static_cast<qint64>(slip.receivedOffset)},
                               {"count", static_cast<qint64>(slip.count)},
                               {"pass", static_cast<qint64>(slip.pass)},
                               {"expected", Text(slip.expected)},
                               {"received", Text(slip.received)}});
    return out;
}

QJsonArray Names(const std::vector<std::string>& names) {
    QJsonArray out;
    for (const auto& n : names) out.append(Text(n));
    return out;
}

}  // namespace

QByteArray ReportJson(const CheckReport& report) {
    QJsonArray rows;
    for (const auto& r : report.rows) {
        const auto& c = r.counts;
        rows.append(QJsonObject{
            {"port", Text(r.path)},
            {"internal", r.internal},
            {"requested", Settings(r.requested)},
            {"applied", r.applied ? QJsonValue(Settings(*r.applied)) : QJsonValue::Null},
            {"appliedFar", r.appliedFar ? QJsonValue(Settings(*r.appliedFar)) : QJsonValue::Null},
            {"refusal", r.refusal.empty() ? QJsonValue::Null : QJsonValue(Text(r.refusal))},
            {"lost", r.lost.empty() ? QJsonValue::Null : QJsonValue(Text(r.lost))},
            {"waitFailed", r.failed.empty() ? QJsonValue::Null : QJsonValue(Text(r.failed))},
            {"seed", static_cast<qint64>(r.seed)},
            {"sent", static_cast<qint64>(c.sent)},
            {"received", static_cast<qint64>(c.received)},
            {"late", static_cast<qint64>(c.late)},
            {"wrong", static_cast<qint64>(c.wrong)},
            {"missing", static_cast<qint64>(c.missing)},
            {"extra", static_cast<qint64>(c.extra)},
            {"firstDifference", c.firstDifference
                                    ? QJsonValue(static_cast<qint64>(*c.firstDifference))
                                    : QJsonValue::Null},
            {"events", Slips(c)},
            {"eventCount", static_cast<qint64>(c.slipCount)},
            {"bytesPerSecond", r.bytesPerSecond},
            {"nominalBytesPerSecond", r.nominal},
            {"paced", r.paced},
            {"lineErrors", Errors(r.errors)},
            {"verdict", VerdictName(r.verdict)},
            {"passes", static_cast<qint64>(r.passes)},
            {"longestGap", r.longestGap},
            {"seconds", r.seconds}});
    }
    QJsonArray modem;
    for (const auto& m : report.modem) {
        modem.append(QJsonObject{
            {"outputs", Text(m.outputs)},
            {"inputs", Text(m.inputs)},
            {"supported", m.unsupported.empty()},
            {"reason", m.unsupported.empty() ? QJsonValue::Null : QJsonValue(Text(m.unsupported))},
            {"RTS", Names(m.followRts)},
            {"DTR", Names(m.followDtr)}});
    }
    QJsonArray flow;
    for (const auto& f : report.flow) {
        const bool checked = f.unsupported.empty();
        flow.append(QJsonObject{
            {"port", Text(f.path)},
            {"supported", checked},
            {"reason", checked ? QJsonValue::Null : QJsonValue(Text(f.unsupported))},
            {"verdict", checked ? QJsonValue(VerdictName(f.verdict)) : QJsonValue::Null},
            {"sent", static_cast<qint64>(f.counts.sent)},
            {"received", static_cast<qint64>(f.counts.received)},
            {"whileHeld", static_cast<qint64>(f.whileHeld)},
            {"heldSeconds", f.heldSeconds},
            {"lost", f.lost.empty() ? QJsonValue::Null : QJsonValue(Text(f.lost))},
            {"events", Slips(f.counts)},
            {"eventCount", static_cast<qint64>(f.counts.slipCount)},
            {"seconds", f.seconds}});
    }
    QJsonArray noLoop;
    for (const auto& [port, why] : report.noInternalLoop)
        noLoop.append(QJsonObject{{"port", Text(port)}, {"reason", Text(why)}});
    const QJsonObject root{{"port", Text(report.port)},
                           {"to", report.to ? QJsonValue(Text(*report.to)) : QJsonValue::Null},
                           {"seed", static_cast<qint64>(report.seed)},
                           {"exitCode", report.ExitCode()},
                           {"interrupted", report.interrupted},
                           {"soak", report.soak},
                           {"passes", static_cast<qint64>(report.passes)},
                           {"seconds", report.seconds},
                           {"settings", rows},
                           {"modemLines", modem},
                           {"flowControl", flow},
                           {"internalLoopbackUnsupported", noLoop}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace check
