#pragma once
// Shared pieces of the fuzz targets: taking numbers and texts off the front of an input, a
// temporary folder that lives for the whole run, and propagating an accepted element set.

#include "common/Elemento_satellite.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

/// Reads values off the front of a fuzzer's input; past its end every value is zero or empty.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size)
    {
    }

    std::uint8_t byte()
    {
        if (m_rest.empty())
            return 0;
        const auto value = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return value;
    }

    double number()
    {
        double value = 0;
        if (m_rest.size() >= sizeof value) {
            std::memcpy(&value, m_rest.data(), sizeof value);
            m_rest.remove_prefix(sizeof value);
        }
        return value;
    }

    /// Text up to the next NUL byte (which is consumed), or the rest of the input.
    std::string_view text()
    {
        const std::size_t end = m_rest.find('\0');
        const std::string_view part = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return part;
    }

    std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

/// Propagates an element set with the four models and computes its observing state at a few
/// times around its epoch, as the tracking tick and the pass search would.
void propagateWithEveryModel(const Elemento_satellite& elements);
