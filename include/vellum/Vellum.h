#pragma once

// The engine's embedding surface in one include, for programs that link
// Vellum::Engine: the report component and its events, the data sources, the
// build, the prepared pages with their file, page images and PDF, and the
// engine context. docs/embedding.md walks through a program.

#include "engine/build/BuildReport.h"
#include "engine/build/MemoryRetention.h"
#include "engine/build/TvlDBDataSet.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/output/PageRendering.h"
#include "engine/output/PdfDocumentWriter.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "engine/script/Variant.h"
