#include "app/orvikapp.h"

int main(int argc, char** argv) {
    return orvik::runOrvik(argc, argv);
}
