#include "Combinations.h"

#include <algorithm>

namespace kadrel {

std::string decToBin(uint32_t decimal)
{
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + decimal % 2));
        decimal /= 2;
    } while (decimal != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

} // namespace kadrel
