// A TIME-protocol reply and the measured transit time it is corrected by.

#include "FuzzSupport.h"

#include "database/TimeProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const double halfRoundTripSeconds = input.number();
    const std::string_view reply = input.rest();
    const std::optional<quint32> seconds =
        timeProtocolSeconds(QByteArrayView(reply.data(), static_cast<qsizetype>(reply.size())));
    if (seconds)
        (void)timeProtocolInstant(*seconds, halfRoundTripSeconds).toMSecsSinceEpoch();
    return 0;
}
