#pragma once

// Tables over Qt SQL databases for the table-bound data source, for programs
// that link Vellum::Sql.

#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/build/sql/TvlSqlTable.h"
#include "vellum/Vellum.h"
