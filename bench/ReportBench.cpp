// The printed report of a full ProgramWrenV3 image (all 200 rows in use,
// 30 pages) drawn into a PDF, in English and Chinese.
#include <ChannelGrid.h>
#include <ChannelReport.h>
#include <MemoryImage.h>
#include <ReportPainter.h>

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_ReportPdf(benchmark::State& state, radio::Language lang) {
    const radio::ModelVariant& v = radio::VariantFor(radio::Model::WrenV3);
    radio::Image image = radio::MakeDefaultImage(v);
    radio::CellTable grid = radio::MakeChannelTable(v, lang);
    for (int r = 1; r <= v.channelRows; ++r) {
        grid.SetTextMatrix(r, 1, "145.50000");
        grid.SetTextMatrix(r, 2, "145.00000");
        grid.SetTextMatrix(r, 3, "88.5");
        grid.SetTextMatrix(r, 4, "D023N");
        grid.SetTextMatrix(r, 5, "High");
        grid.SetTextMatrix(r, 6, "Unlock");
        grid.SetTextMatrix(r, 8, "CH" + std::to_string(r));
    }
    radio::GridToImage(v, grid, image);
    radio::ImageToGrid(v, image, grid, lang);
    radio::CChannelReport report(v, grid, image, lang, "Bench Radio Shop");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf =
            radio::ReportPdf(report, QPageSize(QPageSize::A4), QStringLiteral("bench"));
        bytes = static_cast<std::size_t>(pdf.size());
        benchmark::DoNotOptimize(pdf);
    }
    state.counters["pages"] = report.PageCount();
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}

BENCHMARK_CAPTURE(BM_ReportPdf, English, radio::Language::English)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReportPdf, Chinese, radio::Language::Chinese)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
