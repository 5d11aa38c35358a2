#include "core/mSat.h"

namespace mSat {

std::string_view statusMessage(Status status)
{
    switch (status) {
    case Status::Ok:
        return "no error";
    case Status::NoSuchSlot:
        return "slot number is outside 1 to 202";
    case Status::NameMissing:
        return "the name line holds no satellite name";
    case Status::LineTooShort:
        return "an element line ends before its last element column";
    case Status::FieldNotNumber:
        return "an element column read as a number holds something that is not a number";
    case Status::EpochDayOutOfRange:
        return "epoch day is outside the range 1.0 <= day < 367.0";
    case Status::NumberNotFinite:
        return "an element is too large to be a number";
    case Status::MeanMotionNotPositive:
        return "mean motion is not above zero";
    case Status::EccentricityOutOfRange:
        return "eccentricity is outside the range 0.0 <= e < 1.0";
    case Status::MeanEccentricityOutOfRange:
        return "mean eccentricity is outside the range -1.0 < e < 1.0";
    case Status::PerturbedEccentricityOutOfRange:
        return "perturbed eccentricity is outside the range -1.0 < e < 1.0";
    case Status::SemilatusRectumNegative:
        return "semilatus rectum is not above zero";
    case Status::Decayed:
        return "computed position is inside the Earth, indicating the satellite has decayed";
    case Status::KeplerNotConverged:
        return "Kepler's equation did not converge";
    case Status::NoFiniteResult:
        return "the computation produced no finite number";
    case Status::LookDirectionUndefined:
        return "no direction from the observer: satellite at the observer, zenith or nadir";
    }
    return "unknown status";
}

} // namespace mSat
