#pragma once
// Internal to the propagators: each model initialised once for an element set. The
// Propaga_* functions and SatellitePropagator are built on these.

#include "core/mSat.h"
#include "core/sat/DeepSpace.h"
#include "core/sat/Sgp4Common.h"

namespace mSat::detail {

/// Plan 13: Keplerian ellipse, J2 drift of node and perigee, linear drag.
class Plan13Model
{
public:
    explicit Plan13Model(const PropagationElements& elements);
    [[nodiscard]] PropagationResult propagate(double tsince) const;

private:
    PropagationElements m_el;
    double m_n0 = 0; ///< mean motion [rad/s]
    double m_a0 = 0; ///< semi-major axis [km]
    double m_b0 = 0; ///< semi-minor axis [km]
    double m_si = 0, m_ci = 0;
    double m_qd = 0; ///< node rate [rad/min]
    double m_wd = 0; ///< perigee rate [rad/min]
    double m_dc = 0; ///< drag coefficient [1/min]
};

/// SGP, Spacetrack Report No. 3 section 5.
class SgpModel
{
public:
    explicit SgpModel(const PropagationElements& elements);
    [[nodiscard]] PropagationResult propagate(double tsince) const;

private:
    [[nodiscard]] PropagationResult shortPeriodPeriodics(double a, double axnsl, double aynsl,
                                                         double xnodes, double sineo1,
                                                         double coseo1) const;

    PropagationElements m_el;
    double m_ao = 0, m_qo = 0, m_xlo = 0;
    double m_d1o = 0, m_d2o = 0, m_d3o = 0, m_d4o = 0;
    double m_omgdt = 0, m_xnodot = 0, m_c5 = 0, m_c6 = 0;
};

/// SGP4, Spacetrack Report No. 3 section 6.
class Sgp4Model
{
public:
    explicit Sgp4Model(const PropagationElements& elements);
    [[nodiscard]] PropagationResult propagate(double tsince) const;

private:
    PropagationElements m_elements;
    Sgp4Constants m_c;
};

/// SDP4, Spacetrack Report No. 3 sections 7 and 10 (DEEP).
class Sdp4Model
{
public:
    explicit Sdp4Model(const PropagationElements& elements);
    /// `kept`: the caller's resonance step to continue from and update (may be null).
    [[nodiscard]] PropagationResult propagate(double tsince, ResonanceStep* kept = nullptr) const;

private:
    PropagationElements m_elements;
    Sgp4Constants m_c;
    DeepSpaceConstants m_deep;
};

} // namespace mSat::detail
