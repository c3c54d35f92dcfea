# Everything a fresh Debian 12 machine needs: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
JOBS       ?= $(shell nproc)
SAMPLE_RPT ?= examples/vendes-per-any.rpt
SAMPLE_MDB ?= examples/empresa.mdb

.PHONY: all deps build run test test-sanitize bench install deb clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/Velmora "<$(SAMPLE_RPT)> <$(SAMPLE_MDB)> <>"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Leaks a library keeps for itself, if ever one shows, go in the suppressions
# file (docs/hardening.md).
SAN_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0:fast_unwind_on_malloc=0 \
          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
          LSAN_OPTIONS=suppressions=$(CURDIR)/tests/hardening/lsan-suppressions.txt:print_suppressions=0

test-sanitize:
	@bash scripts/install-deps.sh --sanitize
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG=-g1
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	bash bench/run-all.sh $(BUILD)

install: build
	cmake --install $(BUILD)

# The Debian package, in $(BUILD): velmora_VERSION_ARCH.deb (docs/packaging.md).
deb: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
