#pragma once
// The status codes stored in the records (ORD:STATUS, CUT:STATUS, STOT:STATUS), by name. The
// records keep the stored numbers; compare them with these:
//   if (cut.status == global::CutStatus::InProduction) ...

#include <cstdint>
#include <type_traits>

namespace global {

// ORD:STATUS
enum class OrderStatus : uint16_t {
    New = 0,
    Approved = 1,
    Closed = 3,
};

// CUT:STATUS
enum class CutStatus : uint16_t {
    New = 0,
    Approved = 1,
    InProduction = 2,
    Cut = 3,
    Abandoned = 4,
};

// STOT:STATUS of a cutting order
enum class TransactionStatus : uint16_t {
    Open = 0,
    Confirmed = 1,
};

// The stored number of a status, and a stored number compared with a status.
template <class Status>
constexpr uint16_t stored(Status status)
{
    return static_cast<uint16_t>(status);
}

template <class Status>
struct IsRecordStatus : std::false_type {};
template <> struct IsRecordStatus<OrderStatus> : std::true_type {};
template <> struct IsRecordStatus<CutStatus> : std::true_type {};
template <> struct IsRecordStatus<TransactionStatus> : std::true_type {};

template <class Status, class = std::enable_if_t<IsRecordStatus<Status>::value>>
constexpr bool operator==(uint16_t stored, Status status)
{
    return stored == static_cast<uint16_t>(status);
}

} // namespace global
