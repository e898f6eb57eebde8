# The two commands of the README. Both run the setup script first; it installs only what
# is missing, so a fresh Debian machine needs nothing else.
BUILD := build

.PHONY: run test package fuzz asan-test

run: $(BUILD)/build.ninja
	cmake --build $(BUILD)
	$(BUILD)/src/app/dorvani4

test: $(BUILD)/build.ninja
	cmake --build $(BUILD)
	cd $(BUILD) && ctest --output-on-failure -j2

# The Debian package build/dorvani4_<version>_<arch>.deb (CPack; see "Installing" in the README).
package: $(BUILD)/build.ninja
	cmake --build $(BUILD) --target package

# Every fuzz target for FUZZ_SECONDS each (scripts/fuzz; the README says more).
FUZZ_SECONDS := 30
fuzz:
	bash scripts/fuzz $(FUZZ_SECONDS)

# The core's and the tool's tests under address and undefined-behaviour sanitizers.
asan-test:
	bash scripts/asan-test

$(BUILD)/build.ninja: CMakeLists.txt CMakePresets.json scripts/setup
	bash scripts/setup
	cmake --preset default
