# The run's records are headers only.
