// ImageToGrid and GridToImage over a full table, for each programmer.
#include <ChannelCsv.h>
#include <ChannelGrid.h>
#include <MemoryImage.h>

#include <benchmark/benchmark.h>

namespace {

// A document whose every channel row is in use.
radio::Image FullImage(const radio::ModelVariant& v) {
    radio::Image image = radio::MakeDefaultImage(v);
    radio::CellTable table = radio::MakeChannelTable(v, radio::Language::English);
    for (int r = 1; r <= v.channelRows; ++r) {
        table.SetTextMatrix(r, 1, "145.50000");
        table.SetTextMatrix(r, 2, "145.00000");
        table.SetTextMatrix(r, 3, "88.5");
        table.SetTextMatrix(r, 4, "D023N");
    }
    radio::GridToImage(v, table, image);
    return image;
}

void BM_ImageToGrid(benchmark::State& state, radio::Model model) {
    const radio::ModelVariant& v = radio::VariantFor(model);
    radio::Image image = FullImage(v);
    radio::CellTable table = radio::MakeChannelTable(v, radio::Language::English);
    for (auto _ : state) {
        radio::ImageToGrid(v, image, table, radio::Language::English);
        benchmark::DoNotOptimize(table);
    }
}

void BM_GridToImage(benchmark::State& state, radio::Model model) {
    const radio::ModelVariant& v = radio::VariantFor(model);
    radio::Image image = FullImage(v);
    radio::CellTable table = radio::MakeChannelTable(v, radio::Language::English);
    radio::ImageToGrid(v, image, table, radio::Language::English);
    for (auto _ : state) {
        radio::GridToImage(v, table, image);
        benchmark::DoNotOptimize(image);
    }
}

void BM_ExportImport(benchmark::State& state, radio::Model model) {
    const radio::ModelVariant& v = radio::VariantFor(model);
    radio::Image image = FullImage(v);
    for (auto _ : state) {
        const std::string csv = radio::ExportChannelCsv(v, image, radio::Language::English);
        std::string error;
        radio::ImportChannelCsv(v, csv, image, error);
        benchmark::DoNotOptimize(image);
    }
}

BENCHMARK_CAPTURE(BM_ImageToGrid, Lark, radio::Model::Lark);
BENCHMARK_CAPTURE(BM_ImageToGrid, Wren, radio::Model::Wren);
BENCHMARK_CAPTURE(BM_ImageToGrid, WrenV2, radio::Model::WrenV2);
BENCHMARK_CAPTURE(BM_ImageToGrid, WrenV3, radio::Model::WrenV3);
BENCHMARK_CAPTURE(BM_GridToImage, Lark, radio::Model::Lark);
BENCHMARK_CAPTURE(BM_GridToImage, Wren, radio::Model::Wren);
BENCHMARK_CAPTURE(BM_GridToImage, WrenV2, radio::Model::WrenV2);
BENCHMARK_CAPTURE(BM_GridToImage, WrenV3, radio::Model::WrenV3);
BENCHMARK_CAPTURE(BM_ExportImport, WrenV3, radio::Model::WrenV3);

} // namespace
