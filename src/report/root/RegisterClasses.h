#pragma once

namespace pgx {

// Registers the report layer's component classes by class name, so that the
// serializer and the designer can create them. Called once at start-up
// (calling it again is harmless); later layers have their own.
void registerReportClasses();

// Pages, bands and the data-source base they refer to
// (RegisterPagesAndBands.cpp); registerReportClasses calls it.
void registerPageAndBandClasses();

// The database and file data sources and the SQL connection
// (data/RegisterDataSources.cpp); registerReportClasses calls it.
void registerDataSourceClasses();

// The printable views (views/RegisterViews.cpp), and the page background
// painter they provide (installPageBackgroundPainter, views/PageBackground.cpp);
// registerReportClasses calls it.
void registerViewClasses();
void installPageBackgroundPainter();

}   // namespace pgx
