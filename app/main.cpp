#include "application.h"

int main(int argc, char* argv[]) {
    return expans::ui::runApplication(argc, argv);
}
