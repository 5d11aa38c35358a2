#pragma once
// The two element databases: every element set of the file the user opened as primary
// database (the option File_database) or as secondary database, the three lines of each set
// exactly as read, in file order. Record numbers count from 1 (element 0 unused), so an empty
// database has size 1. Written only by the database readers (database/ElementDatabase), and
// replaced as a whole when a read succeeds; read by the database window, the pass search and
// the summary listing.

#include "common/Record_TLE.h"

#include <vector>

inline std::vector<Record_TLE> Db_principale(1); ///< the primary element database
inline std::vector<Record_TLE> Db_secondario(1); ///< the secondary element database
