#pragma once
// What the orders browse shows and allows, without its window: the status tabs, the progress of an
// order drawn from the statuses of its pieces, the state of a piece, the totals of a position, the
// cutting orders and heat numbers of a piece, which stock lengths a position lists and which of
// them it offers to the optimizer, the call of each optimizer button, the actions each situation of
// the browse allows, and approving or withdrawing the tagged orders.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace orders {

// The tabs of the orders list, in their order.
enum class OrdersTab { New = 0, Approved = 1, Closed = 2 };

// The order status a tab lists.
uint16_t orderStatusOf(OrdersTab tab);

// What the icon of an order says, from the statuses of all its pieces (the first rule that holds).
enum class OrderProgress {
    SomeAbandoned,      // some piece abandoned
    AllFinished,        // every piece cut or abandoned
    SomeCut,            // some piece cut, others still waiting
    AllInProduction,    // nothing new or approved left: everything at the saw or beyond
    SomeInProduction,   // some piece at the saw
    SomeApproved,       // some piece approved
    Waiting,            // new pieces only, or no pieces at all
};

// The piece statuses 0 to 4 that occur, one bit each (bit n: status n).
using StatusSet = unsigned;
OrderProgress orderProgress(StatusSet present);
// Reads the statuses of every piece of the order. 0 or a table error.
int pieceStatusesOfOrder(global::Database& db, uint32_t orderId, StatusSet& present);

// The state icon of a piece: blocked first, else by its status.
enum class PieceState { None, Blocked, Approved, InProduction, Cut, Abandoned };
PieceState pieceState(const global::CutRecord& piece);

// "[szt]" and "[mm]" of a position: the pieces and their length over all its piece records.
struct PositionTotals {
    qint64 pieces = 0;
    qint64 millimetres = 0;
};
int positionTotals(global::Database& db, const global::OrderProfileRecord& position, PositionTotals& out);

// "Nr rozkr." and "Numery Wytopów" of a piece: the cutting orders that hold it and the heat numbers
// of the bars it was cut from, each once, joined by ";" (at most 20 and 64 characters).
struct PieceCuttingOrders {
    QString numbers;
    QString heatNumbers;
};
int pieceCuttingOrders(global::Database& db, uint32_t pieceId, PieceCuttingOrders& out);

// Whether the lengths list of a position shows a visible stock length: it is always available on
// the market or some bars of it are in stock, outside or coming back from production.
bool lengthListed(const global::ProfileLengthRecord& length);
// Whether the operator excluded the stock length for the position (order and profile). 0 or a
// table error.
int lengthExcluded(global::Database& db, uint32_t orderId, uint32_t profileId, uint32_t lengthId, bool& excluded);

// The stock lengths of the position's profile the optimizer is offered, longest first: visible,
// not excluded on the profile nor for this position, and either unlimited or holding some bars.
// 0 or a table error.
int offeredLengths(global::Database& db, const global::OrderProfileRecord& position, std::vector<uint32_t>& out);

// The six optimizer buttons of the browse.
enum class OptimizerButton { Simple, Method1, Advanced, Method3, Method4, Joints };

// One call of the optimizer for one position, as the browse hands it over.
struct OptimizerRequest {
    uint32_t profile = 0;
    uint32_t orderProfile = 0;
    std::vector<uint32_t> lengths;     // the offered stock lengths
    uint8_t mode = 0;
    uint8_t status = 0;                // the approved pieces of the position
    uint32_t selectionStart = 7;       // "Dobór od:"
    uint32_t extend = 0;               // shortest leftover used for a joint; 0 = no joints
};

// The method of a button and the extension length it passes (only the joints button passes one).
uint8_t methodOf(OptimizerButton button);
uint32_t extensionOf(OptimizerButton button, uint32_t extendLength);

// Builds the call of a button for the position with the lengths it offers now. False when no
// length can be offered (the message has been shown) or the lengths could not be read (error set).
bool optimizerRequest(global::Database& db, const global::Services& services, OptimizerButton button,
                      const global::OrderProfileRecord& position, uint32_t selectionStart, uint32_t extendLength,
                      OptimizerRequest& out, int& error);
QString noLengthsToOptimizeMessage();

// The extension length shown beside the joints button for a profile: its usable remnant length,
// 100 when the profile cannot be read.
uint32_t extensionLengthOf(global::Database& db, uint32_t profileId);

// What the browse shows at the moment.
struct BrowseSituation {
    OrdersTab tab = OrdersTab::New;
    bool order = false;       // an order is highlighted
    bool position = false;    // a position is highlighted
    bool piece = false;       // a piece is highlighted
    bool length = false;      // a stock length is highlighted
};

// The actions a situation allows.
struct OrderActions {
    bool insertOrder = false, changeOrder = false, deleteOrder = false, release = false, closeOrder = false;
    bool printOrder = false, cuttingOrders = false, importOrders = false;
    bool insertPosition = false, deletePosition = false, blockPosition = false;
    bool insertPiece = false, changePiece = false, deletePiece = false, blockPiece = false, pasteCuts = false;
    bool insertLength = false, changeLength = false, deleteLength = false, blockLength = false;
    bool optimize = false;
};
OrderActions actionsFor(const BrowseSituation& situation);

// RELEASE: approves (tab "Nowe") or withdraws (tab "Zatwierdzone") the tagged orders, or the
// highlighted one when none is tagged, after asking. Orders whose status no longer is the tab's are
// left alone, as are orders with pieces in production (each refusal is shown). The number of orders
// changed; -1 when the operator said no or the tab allows no release.
int releaseOrders(global::Database& db, const global::Services& services, OrdersTab tab,
                  const QList<uint32_t>& orderIds);

} // namespace orders
