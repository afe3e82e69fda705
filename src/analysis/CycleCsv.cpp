#include "analysis/CycleCsv.h"

#include <charconv>
#include <cmath>

namespace kurvon {

std::string_view CycleCsvHeader() {
    return "cycle,first_record,last_record,duration_s,charge_Ah,discharge_Ah,"
           "coulombic_efficiency_pct,charge_Wh,discharge_Wh,energy_efficiency_pct,"
           "end_of_charge_V,end_of_discharge_V,min_V,max_V,skipped_pairs";
}

std::string FigureText(double value) {
    if (std::isnan(value))
        return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    return std::string(buffer, result.ptr);
}

std::string CycleCsvText(const CycleTable& table) {
    std::string out(CycleCsvHeader());
    out.append("\r\n");
    for (const CycleFigures& c : table.cycles) {
        out.append(std::to_string(c.number)).push_back(',');
        out.append(std::to_string(c.firstRecord)).push_back(',');
        out.append(std::to_string(c.lastRecord));
        for (double figure : {c.durationS, c.chargeAh, c.dischargeAh, c.coulombicEfficiencyPct,
                              c.chargeWh, c.dischargeWh, c.energyEfficiencyPct, c.endOfChargeV,
                              c.endOfDischargeV, c.minV, c.maxV}) {
            out.push_back(',');
            out.append(FigureText(figure));
        }
        out.push_back(',');
        out.append(std::to_string(c.skippedPairs));
        out.append("\r\n");
    }
    return out;
}

} // namespace kurvon
