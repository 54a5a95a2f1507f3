#include "optimizer/ProblemFile.h"

#include "optimizer/JsonSyntax.h"
#include "optimizer/OptimizerCall.h"
#include "optimizer/RunLimits.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>
#include <limits>
#include <map>
#include <optional>

namespace kadrel {

namespace {

constexpr double MaxU32 = std::numeric_limits<uint32_t>::max();
constexpr double MaxU16 = std::numeric_limits<uint16_t>::max();
constexpr double MaxS32 = std::numeric_limits<int32_t>::max();
constexpr double MinS32 = std::numeric_limits<int32_t>::min();
constexpr double MaxLength = RunLimits::MaxLength;
constexpr double MaxPieces = RunLimits::MaxPieces;

// Walks the JSON tree, filling records and keeping the first thing found wrong, named by its place in
// the file (for example "cuts[2].pcs").
class Reader {
public:
    bool ok() const { return problem_.isEmpty(); }
    const QString& problem() const { return problem_; }

    void fail(const QString& what)
    {
        if (problem_.isEmpty())
            problem_ = what;
    }

    // A whole number in [min, max]; a missing optional field keeps the value it has.
    template <class Int>
    void whole(const QJsonObject& object, const QString& where, const char* name, Int& out,
               bool required, double min = 0, double max = MaxU32)
    {
        if (!ok())
            return;
        const QString place = where + QLatin1Char('.') + QLatin1String(name);
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined()) {
            if (required)
                fail(QStringLiteral("the required field %1 is missing").arg(place));
            return;
        }
        if (!value.isDouble()) {
            fail(QStringLiteral("%1 must be a whole number").arg(place));
            return;
        }
        const double number = value.toDouble();
        if (std::floor(number) != number) {
            fail(QStringLiteral("%1 must be a whole number, not %2").arg(place).arg(number));
            return;
        }
        if (number < min) {
            fail(min >= 0 && number < 0
                     ? QStringLiteral("%1 must not be negative (%2)").arg(place).arg(number)
                     : QStringLiteral("%1 is too small (%2, at least %3)").arg(place).arg(number, 0, 'f', 0).arg(min, 0, 'f', 0));
            return;
        }
        if (number > max) {
            fail(QStringLiteral("%1 is too large (%2, at most %3)").arg(place).arg(number, 0, 'f', 0).arg(max, 0, 'f', 0));
            return;
        }
        out = static_cast<Int>(number);
    }

    void real(const QJsonObject& object, const QString& where, const char* name, double& out)
    {
        if (!ok())
            return;
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined())
            return;
        if (!value.isDouble()) {
            fail(QStringLiteral("%1.%2 must be a number").arg(where, QLatin1String(name)));
            return;
        }
        out = value.toDouble();
    }

    void text(const QJsonObject& object, const QString& where, const char* name, QString& out, bool required)
    {
        if (!ok())
            return;
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined()) {
            if (required)
                fail(QStringLiteral("the required field %1.%2 is missing").arg(where, QLatin1String(name)));
            return;
        }
        if (!value.isString()) {
            fail(QStringLiteral("%1.%2 must be a text").arg(where, QLatin1String(name)));
            return;
        }
        out = value.toString();
    }

    std::optional<QJsonObject> object(const QJsonObject& parent, const char* name, bool required)
    {
        if (!ok())
            return std::nullopt;
        const QJsonValue value = parent.value(QLatin1String(name));
        if (value.isUndefined()) {
            if (required)
                fail(QStringLiteral("the required field %1 is missing").arg(QLatin1String(name)));
            return std::nullopt;
        }
        if (!value.isObject()) {
            fail(QStringLiteral("%1 must be an object").arg(QLatin1String(name)));
            return std::nullopt;
        }
        return value.toObject();
    }

    QJsonArray array(const QJsonObject& parent, const QString& place, const char* name, bool required)
    {
        if (!ok())
            return {};
        const QJsonValue value = parent.value(QLatin1String(name));
        if (value.isUndefined()) {
            if (required)
                fail(QStringLiteral("the required field %1 is missing").arg(place));
            return {};
        }
        if (!value.isArray()) {
            fail(QStringLiteral("%1 must be an array").arg(place));
            return {};
        }
        return value.toArray();
    }

    // The elements of an array that must all be objects.
    std::vector<std::pair<QString, QJsonObject>> records(const QJsonArray& array, const QString& place)
    {
        std::vector<std::pair<QString, QJsonObject>> out;
        for (qsizetype i = 0; i < array.size() && ok(); ++i) {
            const QString where = QStringLiteral("%1[%2]").arg(place).arg(i);
            if (!array.at(i).isObject())
                fail(QStringLiteral("%1 must be an object").arg(where));
            else
                out.emplace_back(where, array.at(i).toObject());
        }
        return out;
    }

private:
    QString problem_;
};

void readSettings(Reader& r, const QJsonObject& root, ProblemSettings& settings)
{
    if (const auto o = r.object(root, "settings", false)) {
        r.whole(*o, QStringLiteral("settings"), "saw_width", settings.sawWidth, false);
        r.whole(*o, QStringLiteral("settings"), "ext_tolerance", settings.extTolerance, false);
    }
}

void readProfile(Reader& r, const QJsonObject& root, global::ProfileRecord& profile)
{
    const auto o = r.object(root, "profile", true);
    if (!o)
        return;
    const QString where = QStringLiteral("profile");
    r.whole(*o, where, "id", profile.id, true);
    r.text(*o, where, "code", profile.profileCode, true);
    r.whole(*o, where, "remnant_length", profile.remnantLenght, true);
    r.text(*o, where, "uom", profile.uom, false);
    r.real(*o, where, "price", profile.price);
    r.real(*o, where, "scrap_price", profile.scrapPrice);
    r.real(*o, where, "welding_price", profile.weldingPrice);
    r.real(*o, where, "remnant_loss", profile.remnantLoss);
}

void readLengths(Reader& r, const QJsonObject& root, uint32_t profileId,
                 std::vector<global::ProfileLengthRecord>& lengths)
{
    const QJsonArray array = r.array(root, QStringLiteral("lengths"), "lengths", true);
    for (const auto& [where, o] : r.records(array, QStringLiteral("lengths"))) {
        global::ProfileLengthRecord length;
        length.profileId = profileId;
        r.whole(o, where, "id", length.id, true);
        r.whole(o, where, "length", length.lenght, true, 1, MaxLength);
        r.whole(o, where, "int_stock", length.intStock, false, MinS32, MaxS32);
        r.whole(o, where, "ext_stock", length.extStock, false, 0, MaxS32);
        r.whole(o, where, "incom_stock", length.incomStock, false, MinS32, MaxS32);
        r.whole(o, where, "unlimited", length.unlimitedStock, false, 0, MaxU16);
        r.whole(o, where, "block_selection", length.blockSelection, false, 0, MaxU16);
        r.whole(o, where, "status", length.status, false);
        r.whole(o, where, "typical", length.typicalLength, false);
        lengths.push_back(length);
    }
}

void readOrderProfiles(Reader& r, const QJsonObject& root, uint32_t profileId,
                       std::vector<global::OrderProfileRecord>& positions)
{
    const QJsonArray array = r.array(root, QStringLiteral("order_profiles"), "order_profiles", false);
    for (const auto& [where, o] : r.records(array, QStringLiteral("order_profiles"))) {
        global::OrderProfileRecord position;
        position.profileId = profileId;
        r.whole(o, where, "id", position.id, true);
        r.whole(o, where, "order_id", position.orderId, true);
        positions.push_back(position);
    }
}

void readCuts(Reader& r, const QJsonObject& root, uint32_t profileId, std::vector<global::CutRecord>& cuts)
{
    const QJsonArray array = r.array(root, QStringLiteral("cuts"), "cuts", true);
    for (const auto& [where, o] : r.records(array, QStringLiteral("cuts"))) {
        global::CutRecord cut;
        cut.profileId = profileId;
        r.whole(o, where, "id", cut.id, true);
        r.whole(o, where, "order_id", cut.orderId, true);
        r.whole(o, where, "order_profile_id", cut.orderProfileId, true);
        r.whole(o, where, "status", cut.status, true, 0, MaxU16);
        r.whole(o, where, "length", cut.lenght, true, 1, MaxLength);
        r.whole(o, where, "pcs", cut.pcs, true, 0, MaxPieces);
        r.whole(o, where, "length1", cut.lenght1, false, 0, MaxLength);
        r.whole(o, where, "length2", cut.lenght2, false, 0, MaxLength);
        r.whole(o, where, "switch_off_section", cut.switchOffSection, false, 0, MaxU16);
        r.whole(o, where, "block", cut.block, false, 0, MaxU16);
        cuts.push_back(cut);
    }
}

void readCall(Reader& r, const QJsonObject& root, ProblemCall& call)
{
    const auto o = r.object(root, "call", false);
    if (!o)
        return;
    const QString where = QStringLiteral("call");
    r.whole(*o, where, "order_profile", call.orderProfile, false);
    // Only the methods and status selectors that exist: a number past them would otherwise be cut to
    // a byte and run as another one.
    uint32_t mode = call.mode;
    r.whole(*o, where, "mode", mode, false);
    if (r.ok() && !isKnownMode(mode))
        r.fail(QStringLiteral("call.mode %1 is no optimizer method (0 to %2)")
                   .arg(mode).arg(int(OptimizerMode::Last)));
    call.mode = static_cast<uint8_t>(mode);
    uint32_t status = call.status;
    r.whole(*o, where, "status", status, false);
    if (r.ok() && !isKnownStatus(status))
        r.fail(QStringLiteral("call.status %1 is no piece-status selector (0 to %2)")
                   .arg(status).arg(int(PieceStatusSelector::Last)));
    call.status = static_cast<uint8_t>(status);
    r.whole(*o, where, "extensions", call.extensions, false);
    r.whole(*o, where, "extend", call.extend, false);
    const QJsonArray picked = r.array(*o, QStringLiteral("call.selected_lengths"), "selected_lengths", false);
    for (qsizetype i = 0; i < picked.size() && r.ok(); ++i) {
        // Read each id through the same checks as a field of an object.
        QJsonObject holder{{QStringLiteral("id"), picked.at(i)}};
        uint32_t id = 0;
        r.whole(holder, QStringLiteral("call.selected_lengths[%1]").arg(i), "id", id, true);
        call.selectedLengths.push_back(id);
    }
}

// Records that must be told apart by their identifier, and stock lengths that must differ.
template <class Record, class Key>
void refuseTwins(Reader& r, const std::vector<Record>& records, const QString& place, Key key, const QString& what,
                 const QString& why = {})
{
    std::map<uint32_t, std::size_t> seen;
    for (std::size_t i = 0; i < records.size() && r.ok(); ++i) {
        const auto [it, inserted] = seen.emplace(key(records[i]), i);
        if (!inserted)
            r.fail(QStringLiteral("%1[%2] and %1[%3] have the same %4 (%5)")
                       .arg(place).arg(it->second).arg(i).arg(what).arg(key(records[i])) + why);
    }
}

} // namespace

SLenTable ProblemFile::selectedLengthTable() const
{
    SLenTable table;
    for (uint32_t id : call.selectedLengths)
        table.append(SLenRow{id});
    return table;
}

bool parseProblem(const QByteArray& json, const QString& source, ProblemFile& problem, QString& error)
{
    const QString prefix = QStringLiteral("Problem file %1: ").arg(source);
    if (const std::optional<JsonSyntaxError> syntax = checkJsonSyntax(json)) {
        error = prefix + QStringLiteral("not valid JSON at offset %1: %2").arg(syntax->offset).arg(syntax->what);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = prefix + QStringLiteral("not valid JSON (%1 at offset %2)")
                             .arg(parseError.errorString()).arg(parseError.offset);
        return false;
    }
    if (!document.isObject()) {
        error = prefix + QStringLiteral("the top level must be a JSON object");
        return false;
    }
    const QJsonObject root = document.object();

    ProblemFile read;
    Reader r;
    readSettings(r, root, read.settings);
    readProfile(r, root, read.profile);
    readLengths(r, root, read.profile.id, read.lengths);
    readOrderProfiles(r, root, read.profile.id, read.orderProfiles);
    readCuts(r, root, read.profile.id, read.cuts);
    readCall(r, root, read.call);
    refuseTwins(r, read.lengths, QStringLiteral("lengths"),
                [](const global::ProfileLengthRecord& l) { return l.id; }, QStringLiteral("id"));
    refuseTwins(r, read.lengths, QStringLiteral("lengths"),
                [](const global::ProfileLengthRecord& l) { return l.lenght; }, QStringLiteral("length"),
                QStringLiteral(": a profile keeps one stock record per length"));
    refuseTwins(r, read.orderProfiles, QStringLiteral("order_profiles"),
                [](const global::OrderProfileRecord& p) { return p.id; }, QStringLiteral("id"));
    refuseTwins(r, read.cuts, QStringLiteral("cuts"),
                [](const global::CutRecord& c) { return c.id; }, QStringLiteral("id"));
    if (!r.ok()) {
        error = prefix + r.problem();
        return false;
    }
    problem = std::move(read);
    error.clear();
    return true;
}

bool readProblemFile(const QString& path, ProblemFile& problem, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Problem file %1: cannot be read (%2)").arg(path, file.errorString());
        return false;
    }
    return parseProblem(file.readAll(), path, problem, error);
}

ProblemFileInput::ProblemFileInput(const ProblemFile& problem)
{
    profiles.push_back(problem.profile);
    lengths = problem.lengths;
    orderProfiles = problem.orderProfiles;
    cuts = problem.cuts;
}

} // namespace kadrel
