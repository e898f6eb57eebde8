# The two commands of the README. Both run the setup script first; it installs only what
# is missing, so a fresh Debian machine needs nothing else.
BUILD := build

.PHONY: run test

run: $(BUILD)/build.ninja
	cmake --build $(BUILD)
	$(BUILD)/src/app/dorvani4

test: $(BUILD)/build.ninja
	cmake --build $(BUILD)
	cd $(BUILD) && ctest --output-on-failure -j2

$(BUILD)/build.ninja: CMakeLists.txt CMakePresets.json scripts/setup
	bash scripts/setup
	cmake --preset default
