// The entry point of every programmer; RADIO_PROGRAM_MODEL names the variant.
#include "ProgrammerApp.h"
#include "Variant.h"

int main(int argc, char** argv) {
    return CProgrammerApp::Run(radio::VariantFor(radio::Model::RADIO_PROGRAM_MODEL), argc, argv);
}
