# Everything a fresh Debian 12 machine needs: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
TSAN_BUILD ?= build-tsan
JOBS       ?= $(shell nproc)
space      := $(subst ,, )
SAMPLE_RPT ?= examples/vendes-per-any.rpt
SAMPLE_MDB ?= examples/empresa.mdb

.PHONY: all deps build run test test-sanitize test-tsan bench install deb clean

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

# ThreadSanitizer over the layout tests (several threads make the pages)
# and the export tests: only those are built (docs/hardening.md). Tests that
# run a tool (pdftotext, LibreOffice) fork while threads are alive; the child
# only execs, so the sanitizer is told to let it.
TSAN_DIRS    ?= layout writers pdf exports
TSAN_TARGETS  = $(sort $(basename $(notdir $(wildcard $(patsubst %,tests/%/test_*.cpp,$(TSAN_DIRS))))))
TSAN_ENV      = TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$(CURDIR)/tests/hardening/tsan-suppressions.txt

test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE_THREAD=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target $(TSAN_TARGETS)
	cd $(TSAN_BUILD) && $(TSAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) \
	    -R '^($(subst $(space),|,$(TSAN_TARGETS)))$$'

bench: build
	bash bench/run-all.sh $(BUILD)

install: build
	cmake --install $(BUILD)

# The Debian package, in $(BUILD): velmora_VERSION_ARCH.deb (docs/packaging.md).
deb: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD)
