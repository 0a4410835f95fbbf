#pragma once

#include "platform/printing/CustomPrinter.h"

namespace pgx {

// The stand-in printer of a system without printers: pages still get a
// resolution, a default sheet and a paper list, but nothing is ever output.
class TpgxVirtualPrinter final : public TpgxCustomPrinter
{
public:
    static constexpr int kDpi = 600;
    // The margins of every sheet once one has been selected.
    static constexpr double kMargin = 5;

    TpgxVirtualPrinter();

    void initDevice() override;
    void selectSheet(int code, double width, double height,
                     TPrinterOrientation orientation) override;
    void configureJob(int code, double width, double height, TPrinterOrientation orientation,
                      int bin, int duplex, int copies) override;
};

}   // namespace pgx
