// A full estimate of the premium configuration at area 10.
#include "estimate/estimate.h"

#include <benchmark/benchmark.h>

namespace {

estimate::CabinetConfig premium() {
    estimate::CabinetConfig c;
    c.CB3d = c.CBDostavka = c.CBSborka = true;
    c.EditStendS = "5";
    c.EditStendL = "3";
    c.EditStendP = "8";
    c.EditMebelMest = "7";
    c.EditPlakatA4 = "100";
    c.EditPlakatA3 = "200";
    c.EditPlakatA2 = "300";
    c.CBVitrinSIZ = c.CBVitrinGO = c.CBVitrinEB = c.CBVitrinPB = c.CBVitrinPM = true;
    c.EditVitrinManeken = "2";
    c.TrackMebel = c.TrackComp = c.TrackTeh = 10;
    c.CBMebelPrepod = c.CBMebelStudent = c.CBMebelGarderob = c.CBMebeShkaf = c.CBMebelBed = true;
    c.CBCompProector = c.CBCompTelephone = c.CBCompTV = c.CBCompPrinter = c.CBCompAudio = true;
    c.CBCompPrepod = c.CBCompStudent = c.CBCompNet = true;
    c.EditCompStudent = "3";
    c.CBTehBoard = c.CBTehProgramma = c.CBTehTrenajer = c.CBTehFilm = c.CBTehBook = c.CBTehTest =
        true;
    return c;
}

void BM_PremiumEstimate(benchmark::State& state) {
    const auto config = premium();
    estimate::DescriptionDocument doc;
    for (auto _ : state) {
        auto fields = estimate::calculate(config, doc, ",");
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(BM_PremiumEstimate)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
