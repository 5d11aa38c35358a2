#pragma once
// The program clock.

/// The program's current local instant, a date value (days since 1899-12-30, see
/// core/DateValue.h), in the observer's civil time (UT + zone + daylight saving).
/// Written by the one-second tick (and by the time window when the user sets or runs
/// simulated time); read everywhere as the usual argument of Calcola_tempi.
inline double Data_attuale = 0;
