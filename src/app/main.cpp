#include "app/CScorecardApp.h"

int main(int argc, char** argv) {
  larkspin::CScorecardApp app(argc, argv);
  return app.InitInstance();
}
