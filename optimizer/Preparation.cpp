#include "optimizer/Preparation.h"

#include "global/ErrorCodes.h"
#include "global/Services.h"
#include "global/Statuses.h"
#include "optimizer/RunLimits.h"

#include <algorithm>
#include <limits>
#include <set>

namespace kadrel {

namespace {

QString withCode(const char* text, int code)
{
    return QString::fromUtf8(text) + QString::number(code);
}

// ---- CREATECUTS ---------------------------------------------------------------------------------

// Adds pcs pieces of one length to the demand grouped by length; a new length goes in at its place in
// ascending order and carries the given section flag, an existing one keeps its flag.
void addDemand(PrtTable& demand, uint32_t lenght, uint32_t pcs, uint8_t sectionOff)
{
    auto index = demand.findFirst([&](const PrtRow& r) { return r.lenght == lenght; });
    if (index == PrtTable::npos) {
        PrtRow row;
        row.lenght = lenght;
        row.sectionOff = sectionOff;
        index = demand.insertOrdered(row, [](const PrtRow& r) { return r.lenght; });
    }
    demand[index].pcs += pcs;
}

// One S_PRT row for a cut record: the two sections of a sectioned piece, otherwise the whole piece.
SPrtRow pieceOf(const global::CutRecord& cut, bool fromOrderProfile)
{
    SPrtRow piece;
    piece.dbId = cut.id;
    if (cut.isSectioned()) {
        piece.lenght1 = cut.lenght1;
        piece.lenght2 = cut.lenght2;
    } else {
        piece.lenght1 = cut.lenght;
        piece.lenght2 = 0;
    }
    piece.pcs = cut.pcs;
    // The flag tells later steps not to split the piece: any non-zero switch counts, also one
    // whose low byte happens to be 0.
    if (fromOrderProfile)
        piece.sectionOff = cut.switchOffSection != 0 ? 1 : 0;
    return piece;
}

// Reads the cut records the run is about. Shows the failure and returns false when a read fails.
bool selectCuts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile, uint32_t orderProfile,
                uint8_t status, std::vector<global::CutRecord>& taken)
{
    std::vector<global::CutRecord> cuts;
    if (orderProfile > 0) {
        // SELECTFROMORDER: the pieces of one order position, new and approved only.
        global::OrderProfileRecord position;
        const int rc = input.fetchOrderProfile(orderProfile, position);
        if (rc == global::err::RecordNotFound) {
            dialogs.message(QStringLiteral("Błąd odwołania do rekordu profila w zamówieniu. Error = ")
                            + QString::number(rc) + QStringLiteral(". Profil numer ")
                            + QString::number(orderProfile));
            return false;
        }
        if (rc != 0) {
            dialogs.message(withCode("System Error after get for Orders_Profiles table. Error = ", rc));
            return false;
        }
        const int next = input.cutsOfOrderProfile(position.orderId, position.id, cuts);
        if (next != 0) {
            dialogs.message(withCode("System Error after NEXT for CUTS table. ErrorCode = ", next));
            return false;
        }
        // Pieces of another profile than the one being cut (a position passed with the wrong
        // profile) could never be cut from its bars: they are left out.
        for (const auto& cut : cuts)
            if (cut.block == 0 && cut.status <= global::stored(global::CutStatus::Approved) && cut.profileId == profile)
                taken.push_back(cut);
    } else {
        // All open demand of the profile with one status: 2 asks for new pieces, anything else approved.
        const uint16_t wanted = global::stored(status == 2 ? global::CutStatus::New : global::CutStatus::Approved);
        const int next = input.cutsOfProfileStatus(profile, wanted, cuts);
        if (next != 0) {
            dialogs.message(withCode("System Error after NEXT for CUTS table. ErrorCode = ", next));
            return false;
        }
        for (const auto& cut : cuts)
            if (cut.block == 0)
                taken.push_back(cut);
    }
    return true;
}

// The size of the demand the cut records make, counted as the demand tables will hold it.
DemandSize sizeOf(const std::vector<global::CutRecord>& taken, bool fromOrderProfile)
{
    constexpr uint64_t Largest = std::numeric_limits<uint64_t>::max();
    DemandSize size;
    std::set<uint32_t> lengths;
    const auto add = [&](uint32_t lenght, uint32_t pcs) {
        lengths.insert(lenght);
        size.pieces += pcs;   // at most 2^33 per record: no wrap in 64 bits
        const unsigned __int128 total = static_cast<unsigned __int128>(size.totalLength) + uint64_t(lenght) * pcs;
        size.totalLength = total > Largest ? Largest : static_cast<uint64_t>(total);
    };
    for (const auto& cut : taken) {
        const SPrtRow piece = pieceOf(cut, fromOrderProfile);
        add(piece.lenght1, piece.pcs);
        if (piece.lenght2 != 0)
            add(piece.lenght2, piece.pcs);
    }
    size.lengths = lengths.size();
    return size;
}

// ---- CREATELENGHTS ------------------------------------------------------------------------------

// Stock-length records the operator picked: those of this profile not blocked for selection, in the
// order picked. Their active/hidden status does not matter. A length picked twice is offered once, or
// its bars would be counted twice.
bool chooseSelectedLengths(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                           const SLenTable& selected, std::vector<global::ProfileLengthRecord>& chosen)
{
    for (const auto& pick : selected) {
        global::ProfileLengthRecord length;
        const int rc = input.fetchLength(pick.id, length);
        if (rc == global::err::RecordNotFound)
            continue;
        if (rc != 0) {
            dialogs.message(withCode("System Error selecting profile lenghts. After Next error = ", rc));
            return false;
        }
        if (length.blockSelection != 0 || length.profileId != profile)
            continue;
        const bool alreadyChosen = std::any_of(chosen.begin(), chosen.end(), [&](const auto& c) {
            return c.id == length.id;
        });
        if (!alreadyChosen)
            chosen.push_back(length);
    }
    return true;
}

// All active stock lengths of the profile not blocked for selection, longest first.
bool chooseActiveLengths(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                         std::vector<global::ProfileLengthRecord>& chosen)
{
    std::vector<global::ProfileLengthRecord> active;
    const int rc = input.activeLengths(profile, active);
    if (rc != 0) {
        dialogs.message(withCode("System Error selecting profile lenghts. After Next error = ", rc));
        return false;
    }
    for (const auto& length : active)
        if (length.blockSelection == 0)
            chosen.push_back(length);
    return true;
}

PrlRow stockRowOf(const global::ProfileLengthRecord& length, uint32_t remnantLenght)
{
    PrlRow row;
    row.lenght = length.lenght;
    row.dbId = length.id;
    row.stockQuantity = length.intStock;
    row.externalQuantity = length.externalQuantity();
    row.processQuantity = length.incomStock;
    row.remanant = remnantLenght;
    return row;
}

bool hasBarsToOffer(const PrlRow& row)
{
    // Summed wide so that large counts cannot wrap round to a negative total.
    const int64_t sum = int64_t(row.stockQuantity) + row.externalQuantity + row.processQuantity;
    return sum > 0;
}

} // namespace

std::optional<QString> demandLimitMessage(const DemandSize& size)
{
    if (size.pieces > RunLimits::MaxPieces)
        return QStringLiteral("Zbyt wiele elementów do optymalizacji: %1 szt. Limit jednego obliczenia to %2 szt.")
            .arg(size.pieces).arg(RunLimits::MaxPieces);
    if (size.lengths > RunLimits::MaxLengths)
        return QStringLiteral("Zbyt wiele różnych długości elementów: %1. Limit jednego obliczenia to %2 długości.")
            .arg(size.lengths).arg(RunLimits::MaxLengths);
    if (size.pieces * size.lengths > RunLimits::MaxPiecesTimesLengths)
        return QStringLiteral("Zbyt duże zadanie: %1 szt. elementów o %2 różnych długościach. Limit jednego obliczenia "
                              "to %3 dla liczby elementów razy liczba długości (np. %4 szt. o %5 długościach).")
            .arg(size.pieces).arg(size.lengths).arg(RunLimits::MaxPiecesTimesLengths).arg(RunLimits::MaxPieces)
            .arg(RunLimits::MaxPiecesTimesLengths / RunLimits::MaxPieces);
    if (size.totalLength > RunLimits::MaxTotalLength)
        return QStringLiteral("Zbyt duża łączna długość elementów: %1. Limit jednego obliczenia to %2.")
            .arg(size.totalLength).arg(RunLimits::MaxTotalLength);
    return std::nullopt;
}

Response createCuts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                    uint32_t orderProfile, SPrtTable& pieces, PrtTable& lengths, CutsDemand& totals,
                    uint8_t status)
{
    totals = CutsDemand{};
    lengths.clear();

    std::vector<global::CutRecord> taken;
    if (!selectCuts(input, dialogs, profile, orderProfile, status, taken))
        return Response::Cancelled;

    const bool fromOrderProfile = orderProfile > 0;
    // Counts of a demand within the limits fit every table of the run.
    if (const std::optional<QString> tooLarge = demandLimitMessage(sizeOf(taken, fromOrderProfile))) {
        dialogs.message(*tooLarge);
        return Response::Cancelled;
    }
    totals.minCut = CutsDemand::NoPiece;
    PrtTable demand;
    SPrtTable localPieces;
    for (const auto& cut : taken) {
        const SPrtRow piece = pieceOf(cut, fromOrderProfile);
        localPieces.append(piece);
        addDemand(demand, piece.lenght1, piece.pcs, piece.sectionOff);
        if (piece.lenght2 != 0)
            addDemand(demand, piece.lenght2, piece.pcs, 0);
    }

    demand.sort([](const PrtRow& a, const PrtRow& b) { return a.lenght > b.lenght; });
    for (std::size_t i = 0; i < demand.size(); ++i) {
        PrtRow& row = demand[i];
        row.id = static_cast<uint32_t>(i + 1);
        lengths.append(row);
        totals.totalLenght += int64_t(row.lenght) * row.pcs;
        totals.totalCuts += row.pcs;
        totals.minCut = std::min(totals.minCut, row.lenght);
    }

    for (const auto& piece : localPieces)
        pieces.append(piece);
    return Response::Completed;
}

Response createLenghts(OptimizerInput& input, global::Dialogs& dialogs, uint32_t profile,
                       const SLenTable& selected, PrlTable& stock, uint32_t& remnantLenght,
                       const LengthTable& lengthFilter)
{
    remnantLenght = 0;
    global::ProfileRecord profileRecord;
    const int rc = input.fetchProfile(profile, profileRecord);
    if (rc == 0) {
        remnantLenght = profileRecord.remnantLenght;
    } else if (rc != global::err::RecordNotFound) {
        // A missing profile only means no remnant length; a failing storage is reported.
        dialogs.message(withCode("System Error after get for Profiles table. Error = ", rc));
        return Response::Cancelled;
    }

    std::vector<uint32_t> filter;   // TBS2, ascending
    filter.reserve(lengthFilter.size());
    for (const auto& f : lengthFilter)
        filter.insert(std::upper_bound(filter.begin(), filter.end(), f.length), f.length);

    std::vector<global::ProfileLengthRecord> chosen;
    const bool ok = selected.empty() ? chooseActiveLengths(input, dialogs, profile, chosen)
                                     : chooseSelectedLengths(input, dialogs, profile, selected, chosen);
    if (!ok)
        return Response::Cancelled;

    PrlTable prl;
    for (const auto& length : chosen) {
        if (!filter.empty() && !std::binary_search(filter.begin(), filter.end(), length.lenght))
            continue;
        const PrlRow row = stockRowOf(length, remnantLenght);
        if (!hasBarsToOffer(row))
            continue;
        prl.insertOrdered(row, [](const PrlRow& r) { return r.lenght; });
    }

    stock.clear();
    for (std::size_t i = 0; i < prl.size(); ++i) {
        PrlRow row = prl[i];
        row.id = static_cast<uint32_t>(i + 1);
        stock.append(row);
    }
    return Response::Completed;
}

} // namespace kadrel
