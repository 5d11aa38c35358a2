// An address typed in the download window and a redirect's Location resolved against it, with
// the request that would be sent.

#include "FuzzSupport.h"

#include "database/HttpAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::string_view typed = input.text();
    const std::string_view location = input.rest();
    const std::optional<HttpAddress> address =
        parseHttpAddress(QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())));
    if (!address)
        return 0;
    (void)httpGetRequest(*address);
    if (const std::optional<HttpAddress> next = resolveRedirect(
            *address, QByteArray(location.data(), static_cast<qsizetype>(location.size()))))
        (void)httpGetRequest(*next);
    return 0;
}
